<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AwayController</name>
    <message>
        <source>Paused: screen locked</source>
        <translation>Pausiert: Bildschirm gesperrt</translation>
    </message>
    <message>
        <source>Paused: went to sleep</source>
        <translation>Pausiert: Ruhezustand</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Start or pause the timer of the running Zembrak (starting Zembrak first when none runs).</source>
        <translation>Startet oder pausiert den Timer des laufenden Zembrak (startet Zembrak zuerst, wenn keines läuft).</translation>
    </message>
    <message>
        <source>Rewind the current period to its full length, paused.</source>
        <translation>Setzt die aktuelle Phase pausiert auf ihre volle Länge zurück.</translation>
    </message>
    <message>
        <source>End the current period now; the next one starts.</source>
        <translation>Beendet die aktuelle Phase sofort; die nächste beginnt.</translation>
    </message>
    <message>
        <source>Print a line for a status bar at once and at each change, until ended: waybar&apos;s JSON, or the --format template&apos;s fields filled in.</source>
        <translation>Gibt sofort und bei jeder Änderung eine Zeile für eine Statusleiste aus, bis zum Beenden: JSON für waybar oder die Vorlage von --format mit ausgefüllten Feldern.</translation>
    </message>
    <message>
        <source>A time-box timer in the tray. Without options, runs Zembrak or brings
the running one forward; the options below drive the running one.
Exit status: 0 done, 1 no running Zembrak reached, 2 wrong usage.</source>
        <translation>Ein Timer für Zeitblöcke im Systembereich. Ohne Optionen wird Zembrak gestartet oder
das laufende nach vorn geholt; die folgenden Optionen steuern das laufende.
Exit-Status: 0 erledigt, 1 kein laufendes Zembrak erreicht, 2 falsche Verwendung.</translation>
    </message>
    <message>
        <source>TEMPLATE</source>
        <translation>VORLAGE</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>Give one control option at a time.</source>
        <translation>Bitte nur eine Steueroption auf einmal angeben.</translation>
    </message>
    <message>
        <source>no session bus to follow Zembrak on (%1).</source>
        <translation>kein Sitzungsbus, auf dem Zembrak verfolgt werden kann (%1).</translation>
    </message>
    <message>
        <source>no session bus to reach Zembrak on (%1).</source>
        <translation>kein Sitzungsbus, auf dem Zembrak erreichbar ist (%1).</translation>
    </message>
    <message>
        <source>Zembrak is not running.</source>
        <translation>Zembrak läuft nicht.</translation>
    </message>
    <message>
        <source>could not start %1.</source>
        <translation>%1 konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Zembrak did not answer on the session bus within %1 s.</source>
        <translation>Zembrak hat auf dem Sitzungsbus nicht innerhalb von %1 s geantwortet.</translation>
    </message>
    <message>
        <source>nothing to do.</source>
        <translation>nichts zu tun.</translation>
    </message>
    <message>
        <source>already running; asked the running one to show itself.</source>
        <translation>läuft bereits; das laufende Zembrak wurde gebeten, sich zu zeigen.</translation>
    </message>
    <message>
        <source>Print the periods kept in the history, oldest first, as CSV or JSON (--format csv|json); no running Zembrak needed.</source>
        <translation>Gibt die im Verlauf gespeicherten Phasen aus, die ältesten zuerst, als CSV oder JSON (--format csv|json); kein laufendes Zembrak nötig.</translation>
    </message>
    <message>
        <source>Print one line a day, oldest first: the date, work periods finished and minutes of focus; no running Zembrak needed.</source>
        <translation>Gibt eine Zeile pro Tag aus, die ältesten zuerst: das Datum, abgeschlossene Arbeitsphasen und Minuten Fokuszeit; kein laufendes Zembrak nötig.</translation>
    </message>
    <message>
        <source>With --history or --stats: the periods that end after DATE (YYYY-MM-DD, local day, or an ISO 8601 date and time).</source>
        <translation>Mit --history oder --stats: die Phasen, die nach DATUM enden (JJJJ-MM-TT, lokaler Tag, oder Datum mit Uhrzeit nach ISO 8601).</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>With --history: the periods that begin before the end of DATE.</source>
        <translation>Mit --history: die Phasen, die vor dem Ende von DATUM beginnen.</translation>
    </message>
    <message>
        <source>--format goes with --follow or --history.</source>
        <translation>--format gehört zu --follow oder --history.</translation>
    </message>
    <message>
        <source>--format with --history is csv or json.</source>
        <translation>--format mit --history ist csv oder json.</translation>
    </message>
    <message>
        <source>--%1 goes with --history.</source>
        <translation>--%1 gehört zu --history.</translation>
    </message>
    <message>
        <source>--%1: &apos;%2&apos; is no date (YYYY-MM-DD) or ISO 8601 date and time.</source>
        <translation>--%1: „%2“ ist weder ein Datum (JJJJ-MM-TT) noch Datum mit Uhrzeit nach ISO 8601.</translation>
    </message>
    <message>
        <source>could not write the history out.</source>
        <translation>der Verlauf konnte nicht ausgegeben werden.</translation>
    </message>
    <message>
        <source>Add SECONDS (given after it; 300 without) to the current period, running, paused or waiting.</source>
        <translation>SEKUNDEN (danach angegeben; ohne Angabe 300) zur aktuellen Phase hinzufügen, ob sie läuft, pausiert oder wartet.</translation>
    </message>
    <message>
        <source>--extend takes a number of seconds from 1 to %1 (9999:59:59).</source>
        <translation>--extend erwartet eine Sekundenzahl von 1 bis %1 (9999:59:59).</translation>
    </message>
    <message>
        <source>Print one line: state=active|inactive period=work|shortBreak|longBreak remaining=SECONDS cycles=N, and today=N goal=N with a daily goal.</source>
        <translation>Gibt eine Zeile aus: state=active|inactive period=work|shortBreak|longBreak remaining=SEKUNDEN cycles=N, mit einem Tagesziel dazu today=N goal=N.</translation>
    </message>
    <message>
        <source>With --follow: plain lines from TEMPLATE, its {time}, {remaining}, {period}, {state}, {cycles}, {today} and {goal} filled in.</source>
        <translation>Mit --follow: einfache Zeilen aus VORLAGE, deren {time}, {remaining}, {period}, {state}, {cycles}, {today} und {goal} ausgefüllt werden.</translation>
    </message>
</context>
<context>
    <name>DailyProgress</name>
    <message numerus="yes">
        <source>%1 of %n today</source>
        <translation>
            <numerusform>%1 von %n heute</numerusform>
            <numerusform>%1 von %n heute</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GlobalShortcuts</name>
    <message>
        <source>Taken by another application</source>
        <translation>Von einer anderen Anwendung belegt</translation>
    </message>
    <message>
        <source>Not accepted by the desktop</source>
        <translation>Von der Arbeitsumgebung nicht angenommen</translation>
    </message>
    <message>
        <source>No such key on this keyboard</source>
        <translation>Diese Taste gibt es auf dieser Tastatur nicht</translation>
    </message>
    <message>
        <source>Global shortcuts are not available on this desktop</source>
        <translation>Globale Tastenkürzel sind in dieser Arbeitsumgebung nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>cannot open the history %1: %2</source>
        <translation>der Verlauf %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>cannot make the folder %1 for the history</source>
        <translation>der Ordner %1 für den Verlauf kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot read the history %1: %2</source>
        <translation>der Verlauf %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the history %1 was written by a newer Zembrak; it is left alone</source>
        <translation>der Verlauf %1 wurde von einem neueren Zembrak geschrieben; er bleibt unverändert</translation>
    </message>
    <message>
        <source>cannot bring the history %1 up to date: %2</source>
        <translation>der Verlauf %1 kann nicht aktualisiert werden: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged and cannot be moved aside</source>
        <translation>der Verlauf %1 ist beschädigt und kann nicht beiseitegelegt werden</translation>
    </message>
    <message>
        <source>the history %1 was damaged; moved to %2, a new one started</source>
        <translation>der Verlauf %1 war beschädigt; nach %2 verschoben, ein neuer wurde begonnen</translation>
    </message>
    <message>
        <source>cannot write the history %1: %2</source>
        <translation>der Verlauf %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot clear the history %1: %2</source>
        <translation>der Verlauf %1 kann nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged; Zembrak moves it aside when it next keeps a period</source>
        <translation>der Verlauf %1 ist beschädigt; Zembrak legt ihn beiseite, sobald es die nächste Phase speichert</translation>
    </message>
    <message>
        <source>a period could not be kept in the history %1: %2 %3 from %4 to %5, planned %6 s, counted %7 s, task &quot;%8&quot;</source>
        <translation>eine Phase konnte nicht im Verlauf %1 gespeichert werden: %2 %3 von %4 bis %5, geplant %6 s, gezählt %7 s, Aufgabe „%8“</translation>
    </message>
    <message numerus="yes">
        <source>%n period(s) could still be read from the damaged history and were kept</source>
        <translation>
            <numerusform>%n Phase konnte noch aus dem beschädigten Verlauf gelesen werden und wurde übernommen</numerusform>
            <numerusform>%n Phasen konnten noch aus dem beschädigten Verlauf gelesen werden und wurden übernommen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>KPBarChart</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Nothing recorded</source>
        <translation>Nichts aufgezeichnet</translation>
    </message>
</context>
<context>
    <name>KPMenuBarMenuButton</name>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
</context>
<context>
    <name>KPMenuBarTimeDisplay</name>
    <message>
        <source>Start/Pause</source>
        <translation>Start/Pause</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>KPShortcutWindow</name>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>KPSoundMenu</name>
    <message>
        <source>Sound Menu</source>
        <translation>Tonmenü</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
</context>
<context>
    <name>KPTaskCyclesMenu</name>
    <message>
        <source>Increase Cycle Count</source>
        <translation>Zyklenzahl erhöhen</translation>
    </message>
    <message>
        <source>Decrease Cycle Count</source>
        <translation>Zyklenzahl verringern</translation>
    </message>
</context>
<context>
    <name>KPTaskList</name>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>KPTaskTableModel</name>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Not Completed</source>
        <translation>Nicht erledigt</translation>
    </message>
    <message>
        <source>Click to Edit</source>
        <translation>Zum Bearbeiten klicken</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Cycles</source>
        <translation>Zyklen</translation>
    </message>
</context>
<context>
    <name>KPTaskTextEditor</name>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
</context>
<context>
    <name>KPTimeDigits</name>
    <message>
        <source>%1 elapsed</source>
        <translation>Vergangene Zeit: %1</translation>
    </message>
    <message>
        <source>%1 remaining</source>
        <translation>Verbleibende Zeit: %1</translation>
    </message>
</context>
<context>
    <name>KPTimeEditor</name>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
</context>
<context>
    <name>KPTimerShortcutManager</name>
    <message>
        <source>Start/Pause</source>
        <translation>Start/Pause</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>KPUtilityWindow</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>PeriodEndNotifier</name>
    <message>
        <source>Work period finished</source>
        <translation>Arbeitsphase beendet</translation>
    </message>
    <message>
        <source>Break finished</source>
        <translation>Pause beendet</translation>
    </message>
    <message>
        <source>work period</source>
        <translation>Arbeitsphase</translation>
    </message>
    <message>
        <source>short break</source>
        <translation>kurze Pause</translation>
    </message>
    <message>
        <source>long break</source>
        <translation>lange Pause</translation>
    </message>
    <message>
        <source>Next: %1, %2</source>
        <translation>Als Nächstes: %1, %2</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n Sekunde</numerusform>
            <numerusform>%n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Work period ended while away</source>
        <translation>Arbeitsphase während der Abwesenheit beendet</translation>
    </message>
    <message>
        <source>Break ended while away</source>
        <translation>Pause während der Abwesenheit beendet</translation>
    </message>
    <message>
        <source>Resume the timer when you are back.</source>
        <translation>Setzen Sie den Timer fort, wenn Sie zurück sind.</translation>
    </message>
    <message>
        <source>Start Break</source>
        <translation>Pause starten</translation>
    </message>
    <message>
        <source>Start Work</source>
        <translation>Arbeit starten</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Pause überspringen</translation>
    </message>
    <message>
        <source>Show Zembrak</source>
        <translation>Zembrak zeigen</translation>
    </message>
</context>
<context>
    <name>PlasmaNotificationSilence</name>
    <message>
        <source>A work period is counting</source>
        <translation>Eine Arbeitsphase läuft</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt or Meta with this key</source>
        <translation>Halten Sie dazu Strg, Alt oder Meta gedrückt</translation>
    </message>
    <message>
        <source>The shortcut could not be stored</source>
        <translation>Das Tastenkürzel konnte nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>took over %1, left by another machine where nothing answers</source>
        <translation>%1 übernommen, von einem anderen Rechner hinterlassen, auf dem nichts antwortet</translation>
    </message>
    <message>
        <source>cannot take the lock %1; starting without it, so a second copy is not kept from starting</source>
        <translation>die Sperre %1 kann nicht genommen werden; Start ohne sie, ein zweites Exemplar wird also nicht am Start gehindert</translation>
    </message>
</context>
<context>
    <name>TopBarHint</name>
    <message>
        <source>Zembrak can show its time in the top bar</source>
        <translation>Zembrak kann seine Zeit in der oberen Leiste zeigen</translation>
    </message>
    <message>
        <source>Install and turn on the AppIndicator extension (Debian&apos;s package gnome-shell-extension-appindicator), then start Zembrak again.</source>
        <translation>Installieren und aktivieren Sie die Erweiterung AppIndicator (Debians Paket gnome-shell-extension-appindicator) und starten Sie Zembrak dann neu.</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Die Aktualisierungsinformationen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1).</source>
        <translation>Der Aktualisierungsserver hat mit einem Fehler geantwortet (HTTP %1).</translation>
    </message>
    <message>
        <source>%1 could not be reached. Are you offline?</source>
        <translation>%1 ist nicht erreichbar. Sind Sie offline?</translation>
    </message>
    <message>
        <source>The update server %1 is not taking connections; try again later.</source>
        <translation>Der Aktualisierungsserver %1 nimmt keine Verbindungen an; versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>The update server %1 did not answer in time.</source>
        <translation>Der Aktualisierungsserver %1 hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The connection to %1 is not secure; nothing was read.</source>
        <translation>Die Verbindung zu %1 ist nicht sicher; es wurde nichts gelesen.</translation>
    </message>
    <message>
        <source>The update check failed: %1.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: %1.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Nach Aktualisierungen wird gesucht …</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Sie sind auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Zembrak %1 is the newest version.</source>
        <translation>Zembrak %1 ist die neueste Version.</translation>
    </message>
    <message>
        <source>Zembrak %1 is available.</source>
        <translation>Zembrak %1 ist verfügbar.</translation>
    </message>
    <message>
        <source>You have %1. &lt;a href=&quot;%2&quot;&gt;Download the new version&lt;/a&gt;.</source>
        <translation>Sie haben %1. &lt;a href=&quot;%2&quot;&gt;Neue Version herunterladen&lt;/a&gt;.</translation>
    </message>
    <message>
        <source>Zembrak could not check for updates.</source>
        <translation>Zembrak konnte nicht nach Aktualisierungen suchen.</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreen</name>
    <message>
        <source>Next: %1</source>
        <translation>Als Nächstes: %1</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreenPanel</name>
    <message>
        <source>Skip Break</source>
        <translation>Pause überspringen</translation>
    </message>
    <message>
        <source>Postpone 1 Minute</source>
        <translation>Um 1 Minute verschieben</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Pausenbildschirm</translation>
    </message>
    <message>
        <source>Escape closes it; the break goes on.</source>
        <translation>Escape schließt ihn; die Pause läuft weiter.</translation>
    </message>
</context>
<context>
    <name>ZKIdlePromptWindow</name>
    <message>
        <source>Welcome Back</source>
        <translation>Willkommen zurück</translation>
    </message>
    <message>
        <source>Keep as Work</source>
        <translation>Als Arbeit behalten</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Count the time away as work</source>
        <translation>Die Zeit der Abwesenheit als Arbeit zählen</translation>
    </message>
    <message>
        <source>Give the time away back to the period</source>
        <translation>Die Zeit der Abwesenheit der Phase zurückgeben</translation>
    </message>
    <message>
        <source>You were away 1 minute.</source>
        <translation>Sie waren 1 Minute abwesend.</translation>
    </message>
    <message>
        <source>You were away %1 minutes.</source>
        <translation>Sie waren %1 Minuten abwesend.</translation>
    </message>
</context>
<context>
    <name>ZKMenu</name>
    <message>
        <source>Preferences Menu</source>
        <translation>Einstellungsmenü</translation>
    </message>
    <message>
        <source>Time Settings</source>
        <translation>Zeiteinstellungen</translation>
    </message>
    <message>
        <source>Edit Time</source>
        <translation>Zeit bearbeiten</translation>
    </message>
    <message>
        <source>Autohide Display</source>
        <translation>Anzeige automatisch ausblenden</translation>
    </message>
    <message>
        <source>Small Display</source>
        <translation>Kleine Anzeige</translation>
    </message>
    <message>
        <source>Show Seconds</source>
        <translation>Sekunden anzeigen</translation>
    </message>
    <message>
        <source>Show Cycle Count</source>
        <translation>Zyklenzahl anzeigen</translation>
    </message>
    <message>
        <source>Enable Ticking</source>
        <translation>Ticken aktivieren</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <source>Notify at Period End</source>
        <translation>Am Ende jeder Phase benachrichtigen</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Questions/Problems/Suggestions</source>
        <translation>Fragen/Probleme/Vorschläge</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Pause When Locked</source>
        <translation>Bei Sperre pausieren</translation>
    </message>
    <message>
        <source>Ask After Idle</source>
        <translation>Nach Inaktivität fragen</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Not available on this desktop</source>
        <translation>In dieser Arbeitsumgebung nicht verfügbar</translation>
    </message>
    <message>
        <source>+5 Minutes</source>
        <translation>+5 Minuten</translation>
    </message>
    <message>
        <source>Start Breaks Automatically</source>
        <translation>Pausen automatisch starten</translation>
    </message>
    <message>
        <source>Start Work Automatically</source>
        <translation>Arbeit automatisch starten</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Pausenbildschirm</translation>
    </message>
    <message>
        <source>Show Timer Window</source>
        <translation>Timer-Fenster zeigen</translation>
    </message>
    <message>
        <source>Daily Goal</source>
        <translation>Tagesziel</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n Arbeitsphase</numerusform>
            <numerusform>%n Arbeitsphasen</numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message>
        <source>Silence Notifications During Work</source>
        <translation>Benachrichtigungen während der Arbeit stummschalten</translation>
    </message>
</context>
<context>
    <name>ZKPopover</name>
    <message>
        <source>Resume Timer</source>
        <translation>Timer fortsetzen</translation>
    </message>
    <message>
        <source>Cycles Since Launch: %1</source>
        <translation>Zyklen seit Start: %1</translation>
    </message>
    <message>
        <source>Add New Task</source>
        <translation>Neue Aufgabe hinzufügen</translation>
    </message>
    <message>
        <source>Remove Selected Task</source>
        <translation>Ausgewählte Aufgabe entfernen</translation>
    </message>
    <message>
        <source>Move Up Selected Task</source>
        <translation>Ausgewählte Aufgabe nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down Selected Task</source>
        <translation>Ausgewählte Aufgabe nach unten verschieben</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Pause Timer</source>
        <translation>Timer pausieren</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Arbeitsphase</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Kurze Pause</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Lange Pause</translation>
    </message>
</context>
<context>
    <name>ZKStatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
    <message>
        <source>Days shown</source>
        <translation>Angezeigte Tage</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Work Periods</source>
        <translation>Arbeitsphasen</translation>
    </message>
    <message>
        <source>Focused Time</source>
        <translation>Fokuszeit</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Clear History…</source>
        <translation>Verlauf löschen …</translation>
    </message>
    <message>
        <source>Work periods finished: %1</source>
        <translation>Abgeschlossene Arbeitsphasen: %1</translation>
    </message>
    <message>
        <source>Focused time: %1</source>
        <translation>Fokuszeit: %1</translation>
    </message>
    <message>
        <source>Breaks taken: %1</source>
        <translation>Genommene Pausen: %1</translation>
    </message>
    <message>
        <source>Focused time per hour</source>
        <translation>Fokuszeit pro Stunde</translation>
    </message>
    <message>
        <source>Focused time per day</source>
        <translation>Fokuszeit pro Tag</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <source>Delete every recorded period? This cannot be undone.</source>
        <translation>Alle aufgezeichneten Phasen löschen? Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>The history could not be cleared.</source>
        <translation>Der Verlauf konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>The history could not be read.</source>
        <translation>Der Verlauf konnte nicht gelesen werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n Arbeitsphase</numerusform>
            <numerusform>%n Arbeitsphasen</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal: %1</source>
        <translation>Ziel: %1</translation>
    </message>
    <message>
        <source>Work periods per day</source>
        <translation>Arbeitsphasen pro Tag</translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n days</source>
        <translation>
            <numerusform>Aktuelle Serie: %n Tag</numerusform>
            <numerusform>Aktuelle Serie: %n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Longest streak: %n days</source>
        <translation>
            <numerusform>Längste Serie: %n Tag</numerusform>
            <numerusform>Längste Serie: %n Tage</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZKStatusMenu</name>
    <message>
        <source>Open Zembrak</source>
        <translation>Zembrak öffnen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausieren</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
</context>
<context>
    <name>ZKTimeEditorWindow</name>
    <message>
        <source>Edit Time</source>
        <translation>Zeit bearbeiten</translation>
    </message>
</context>
<context>
    <name>ZKTimeSettingsWindow</name>
    <message>
        <source>Time Settings</source>
        <translation>Zeiteinstellungen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Long Break Interval:</source>
        <translation>Intervall der langen Pause:</translation>
    </message>
    <message>
        <source>Long Break Length:</source>
        <translation>Länge der langen Pause:</translation>
    </message>
    <message>
        <source>Short Break Length:</source>
        <translation>Länge der kurzen Pause:</translation>
    </message>
    <message>
        <source>Work Length:</source>
        <translation>Länge der Arbeitsphase:</translation>
    </message>
</context>
<context>
    <name>ZKTimerView</name>
    <message>
        <source>Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>No open task</source>
        <translation>Keine offene Aufgabe</translation>
    </message>
    <message>
        <source>Current task: %1</source>
        <translation>Aktuelle Aufgabe: %1</translation>
    </message>
</context>
<context>
    <name>ZKTimerWindow</name>
    <message>
        <source>Zembrak Timer</source>
        <translation>Zembrak-Timer</translation>
    </message>
    <message>
        <source>Keep on Top</source>
        <translation>Im Vordergrund halten</translation>
    </message>
    <message>
        <source>Hide Timer Window</source>
        <translation>Timer-Fenster ausblenden</translation>
    </message>
</context>
</TS>
