/* What the program tells about itself and its maker, kept here alone: the
 * version resource, the window title and tray tip, the About box and the
 * release archives take their name, version and links from these lines.
 * Plain defines, so the resource compiler reads them too. */
#ifndef VORNEL_BASE_PRODUCT_H
#define VORNEL_BASE_PRODUCT_H

#define PRODUCT_NAME            "Vornel"
#define PRODUCT_VERSION_MAJOR   2
#define PRODUCT_VERSION_MINOR   10
#define PRODUCT_VERSION_TEXT    "2.10"
#define PRODUCT_MAKER           "Kestrum"
#define PRODUCT_MAKER_NOTICE    "Copyright (c) " PRODUCT_MAKER ".\nAll rights reserved."
#define PRODUCT_HOME_PAGE       "http://www.kestrum.com/vornel"
#define PRODUCT_SUPPORT_ADDRESS "support@kestrum.com"

#endif
