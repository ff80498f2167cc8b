/* Control IDs of the log viewer Man_Protokolle. Prefixed with the form's name:
   the menu's Command1 and Command2 are different controls. */
#pragma once

#define IDC_Protokolle_File1 601
#define IDC_Protokolle_Text1 602
#define IDC_Protokolle_Command2 603
#define IDC_Protokolle_Command1 604
