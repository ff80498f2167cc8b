/* Control IDs of the name-entry dialog Man_Namen. */
#pragma once

#define IDC_Picture1 301
#define IDC_Label2 302
#define IDC_Text1 303
#define IDC_List1 304
#define IDC_OK 305
