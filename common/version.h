/* The one place for version numbers and names: read by the .rc files and the code. */
#pragma once

#define LIRABO_VERSION_MAJOR 2
#define LIRABO_VERSION_MINOR 17
#define LIRABO_VERSION_REVISION 77
#define LIRABO_VERSION_TEXT "2.17.0.77"
#define LIRABO_PRODUCT_NAME "JW Lirabo Version 2.1"
#define LIRABO_COMPANY_NAME "JW Lirabo"
#define LIRABO_LEGAL_COPYRIGHT "© 2026 JW Lirabo. Alle Rechte vorbehalten."
