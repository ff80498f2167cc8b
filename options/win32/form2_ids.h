/* Control IDs of the options dialog Form2. */
#pragma once

#define IDC_Rahmen1 301
#define IDC_Option1 302
#define IDC_Option2 303
#define IDC_Check1 304
#define IDC_Buchstaben 305
#define IDC_Proto 306
#define IDC_ProtSave 307
#define IDC_FehlerWeiter 308
#define IDC_HGrund 309
#define IDC_TVis 310
#define IDC_Auflösung 311
#define IDC_Label1 312
#define IDC_Befehl1 313
#define IDC_Command1 314
/* regelpult only: the word list frame. */
#define IDC_Frame1 315
#define IDC_Command2 316
#define IDC_Command3 317
#define IDC_Command4 318
