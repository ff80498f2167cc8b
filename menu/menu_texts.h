#pragma once
// The menu's own words, exactly as the teachers and pupils see them.
namespace lirabo::texts {

inline constexpr const char* kMenuTitle = "JW Lirabo";
inline constexpr const char* kMenuCaption = "JW Lirabo ;   <F6> für Lehrermenü";
inline constexpr const char* kSecondInstanceCaption = "-<[Zweite Instanz]>-";
inline constexpr const char* kBackgroundCaption = "Hintergrund";
inline constexpr const char* kGreetingDesign = "Hallo! Wähle aus, was du üben möchtest:";
inline constexpr const char* kChooseProgram = "Wähle ein Programm aus:";
inline constexpr const char* kNameButton = "Namen eingeben";

inline constexpr const char* kVarkonRunning =
    "Während der Varkon läuft, kann der Schnellstarter nicht verwendet werden! Außerdem sollten "
    "währenddessen keine weiteren JW Lernprogramme von Hand gestartet werden, da dies die Funktion "
    "des Varkons stört!";
inline constexpr const char* kSettingsLocked =
    "Ich konnte die Programmeinstellungen nicht laden. Eventuell werden diese momentan geändert. "
    "Versuchen Sie, das Programm zu einem späteren Zeipunkt noch einmal zu starten.";
inline constexpr const char* kProgramNotFound =
    "Die Programmdatei wurde nicht gefunden. Sie muss im gleichen Verzeichnis wie dieses Programm "
    "sein. Starten Sie das Programm von Hand, oder versuchen Sie es nochmal nach einer "
    "Neuinstallation!";
inline constexpr const char* kRestartNeededTitle = "Neue Bildschirmeinstellung";
inline constexpr const char* kRestartNeeded =
    "Das System müsste zur Änderung neu gestartet werden. Deshalb wird die Auflösung nicht "
    "geändert!";

}  // namespace lirabo::texts
