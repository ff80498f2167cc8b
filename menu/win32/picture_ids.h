/* Pictures and icon of tafelwahl, shared by its .rc file and the forms that show them. */
#pragma once

#define IDI_LIRABO 1
#define IDB_Command1 201
#define IDB_Command2 202
#define IDB_Command3 203
#define IDB_Command4 204
#define IDB_Command5 205
#define IDB_Command6 206
#define IDB_Command7 207
#define IDB_Command8 208
#define IDB_Command9 209
#define IDB_CB_Name 210
#define IDB_Weiter 211
