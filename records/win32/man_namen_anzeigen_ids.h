/* Control IDs of the name list Man_NamenAnzeigen, prefixed with the form's name. */
#pragma once

#define IDC_NamenAnzeigen_List1 611
#define IDC_NamenAnzeigen_Command1 612
#define IDC_NamenAnzeigen_OK 613
