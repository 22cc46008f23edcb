/* The product's name and version, in one place: the version resource, the
 * window title and tray tip, the About box and the release archives take
 * them from here. Plain defines, so the resource compiler reads them too. */
#ifndef VORNEL_BASE_VERSION_H
#define VORNEL_BASE_VERSION_H

#define VORNEL_PRODUCT_NAME     "Vornel"
#define VORNEL_VERSION_MAJOR    2
#define VORNEL_VERSION_MINOR    10
#define VORNEL_VERSION_TEXT     "2.10"
#define VORNEL_MAKER            "Kestrum"

#endif
