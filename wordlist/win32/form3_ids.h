/* Control IDs of the word editor Form3. */
#pragma once

#define IDC_Bezeichnung1 301
#define IDC_Bezeichnung2 302
#define IDC_Bezeichnung3 303
#define IDC_Text1 304
#define IDC_Text2 305
#define IDC_Text3 306
#define IDC_Text4 307
#define IDC_Befehl1 308
#define IDC_Befehl2 309
#define IDC_Befehl3 310
#define IDC_Rahmen1 311
#define IDC_Bezeichnung4 312
