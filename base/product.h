// What the program tells the user about itself and its maker, kept here
// alone. Plain string macros, so that the resource script can take them as
// well as the code.
#ifndef VORNEL_BASE_PRODUCT_H
#define VORNEL_BASE_PRODUCT_H

#define PRODUCT_NAME            "Vornel"
#define PRODUCT_MAKER           "Kestrum"
#define PRODUCT_MAKER_NOTICE    "Copyright (c) " PRODUCT_MAKER ".\nAll rights reserved."
#define PRODUCT_HOME_PAGE       "http://www.kestrum.com/vornel"
#define PRODUCT_SUPPORT_ADDRESS "support@kestrum.com"

#endif
