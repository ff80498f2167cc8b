/* Pictures and icon of tafelwahl, shared by its .rc file and the forms that show them. */
#pragma once

#define IDI_LIRABO 1
#define IDB_KAMU1 201
#define IDB_KAMU2 202
#define IDB_TESRA 203
#define IDB_ORVIN 204
#define IDB_PELUM3 205
#define IDB_PELUM2 206
#define IDB_PELUM1 207
#define IDB_END 208
#define IDB_DRUSA 209
#define IDB_NAME 210
#define IDB_CONTINUE 211
