/* Control and resource IDs of the menu window Form1 (also read by the .rc file). */
#pragma once

#define IDI_LIRABO 1

#define IDC_Hilfe 101
#define IDC_CB_Name 102
#define IDC_Command1 111
#define IDC_Command2 112
#define IDC_Command3 113
#define IDC_Command4 114
#define IDC_Command5 115
#define IDC_Command6 116
#define IDC_Command7 117
#define IDC_Command8 118
#define IDC_Command9 119

/* Button pictures. */
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

/* The teacher menu dasmenu (hidden until F6). */
#define IDM_M_Hilfe_Paket 401
#define IDM_M_Info 402
#define IDM_M_ProtokolleAnzeigen 403
#define IDM_M_Namen 404
#define IDM_M_Optionen 405
