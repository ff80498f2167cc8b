/* The one place for version numbers and names: read by the .rc files, the code and
   the build (which makes the manifests from it). */
#pragma once

#define LIRABO_VERSION_MAJOR 2
#define LIRABO_VERSION_MINOR 17
#define LIRABO_VERSION_REVISION 77
#define LIRABO_STRINGIZE2(x) #x
#define LIRABO_STRINGIZE(x) LIRABO_STRINGIZE2(x)
#define LIRABO_VERSION_TEXT                                                                          \
  LIRABO_STRINGIZE(LIRABO_VERSION_MAJOR) "." LIRABO_STRINGIZE(LIRABO_VERSION_MINOR) ".0." LIRABO_STRINGIZE( \
      LIRABO_VERSION_REVISION)
#define LIRABO_PRODUCT_NAME "JW Lirabo Version 2.1"
#define LIRABO_COMPANY_NAME "JW Lirabo"
#define LIRABO_LEGAL_COPYRIGHT "© 2026 JW Lirabo. Alle Rechte vorbehalten."
