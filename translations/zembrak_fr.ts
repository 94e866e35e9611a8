<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AwayController</name>
    <message>
        <source>Paused: screen locked</source>
        <translation>En pause&#xa0;: écran verrouillé</translation>
    </message>
    <message>
        <source>Paused: went to sleep</source>
        <translation>En pause&#xa0;: mise en veille</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Start or pause the timer of the running Zembrak (starting Zembrak first when none runs).</source>
        <translation>Démarre ou met en pause le minuteur du Zembrak en cours d&apos;exécution (en lançant d&apos;abord Zembrak s&apos;il ne tourne pas).</translation>
    </message>
    <message>
        <source>Rewind the current period to its full length, paused.</source>
        <translation>Ramène la période en cours à sa durée complète, en pause.</translation>
    </message>
    <message>
        <source>End the current period now; the next one starts.</source>
        <translation>Termine la période en cours maintenant&#xa0;; la suivante commence.</translation>
    </message>
    <message>
        <source>Print a line for a status bar at once and at each change, until ended: waybar&apos;s JSON, or the --format template&apos;s fields filled in.</source>
        <translation>Affiche une ligne pour une barre d&apos;état aussitôt puis à chaque changement, jusqu&apos;à l&apos;arrêt&#xa0;: le JSON de waybar, ou le modèle de --format avec ses champs remplis.</translation>
    </message>
    <message>
        <source>A time-box timer in the tray. Without options, runs Zembrak or brings
the running one forward; the options below drive the running one.
Exit status: 0 done, 1 no running Zembrak reached, 2 wrong usage.</source>
        <translation>Un minuteur de périodes dans la zone de notification. Sans option, lance Zembrak ou
ramène au premier plan celui qui tourne&#xa0;; les options ci-dessous pilotent celui qui tourne.
Code de sortie&#xa0;: 0 fait, 1 aucun Zembrak en cours joint, 2 mauvaise utilisation.</translation>
    </message>
    <message>
        <source>TEMPLATE</source>
        <translation>MODÈLE</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Give one control option at a time.</source>
        <translation>Donnez une seule option de contrôle à la fois.</translation>
    </message>
    <message>
        <source>no session bus to follow Zembrak on (%1).</source>
        <translation>aucun bus de session pour suivre Zembrak (%1).</translation>
    </message>
    <message>
        <source>no session bus to reach Zembrak on (%1).</source>
        <translation>aucun bus de session pour joindre Zembrak (%1).</translation>
    </message>
    <message>
        <source>Zembrak is not running.</source>
        <translation>Zembrak n&apos;est pas en cours d&apos;exécution.</translation>
    </message>
    <message>
        <source>could not start %1.</source>
        <translation>impossible de lancer %1.</translation>
    </message>
    <message>
        <source>Zembrak did not answer on the session bus within %1 s.</source>
        <translation>Zembrak n&apos;a pas répondu sur le bus de session en %1&#xa0;s.</translation>
    </message>
    <message>
        <source>nothing to do.</source>
        <translation>rien à faire.</translation>
    </message>
    <message>
        <source>already running; asked the running one to show itself.</source>
        <translation>déjà en cours d&apos;exécution&#xa0;; l&apos;instance en cours a été priée de s&apos;afficher.</translation>
    </message>
    <message>
        <source>Print the periods kept in the history, oldest first, as CSV or JSON (--format csv|json); no running Zembrak needed.</source>
        <translation>Affiche les périodes conservées dans l&apos;historique, de la plus ancienne à la plus récente, en CSV ou JSON (--format csv|json)&#xa0;; aucun Zembrak en cours n&apos;est nécessaire.</translation>
    </message>
    <message>
        <source>Print one line a day, oldest first: the date, work periods finished and minutes of focus; no running Zembrak needed.</source>
        <translation>Affiche une ligne par jour, du plus ancien au plus récent&#xa0;: la date, les périodes de travail terminées et les minutes de concentration&#xa0;; aucun Zembrak en cours n&apos;est nécessaire.</translation>
    </message>
    <message>
        <source>With --history or --stats: the periods that end after DATE (YYYY-MM-DD, local day, or an ISO 8601 date and time).</source>
        <translation>Avec --history ou --stats&#xa0;: les périodes qui se terminent après DATE (AAAA-MM-JJ, jour local, ou une date et heure ISO 8601).</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATE</translation>
    </message>
    <message>
        <source>With --history: the periods that begin before the end of DATE.</source>
        <translation>Avec --history&#xa0;: les périodes qui commencent avant la fin de DATE.</translation>
    </message>
    <message>
        <source>--format goes with --follow or --history.</source>
        <translation>--format va avec --follow ou --history.</translation>
    </message>
    <message>
        <source>--format with --history is csv or json.</source>
        <translation>--format avec --history vaut csv ou json.</translation>
    </message>
    <message>
        <source>--%1 goes with --history.</source>
        <translation>--%1 va avec --history.</translation>
    </message>
    <message>
        <source>--%1: &apos;%2&apos; is no date (YYYY-MM-DD) or ISO 8601 date and time.</source>
        <translation>--%1&#xa0;: «&#xa0;%2&#xa0;» n&apos;est ni une date (AAAA-MM-JJ) ni une date et heure ISO 8601.</translation>
    </message>
    <message>
        <source>could not write the history out.</source>
        <translation>impossible d&apos;écrire l&apos;historique.</translation>
    </message>
    <message>
        <source>Add SECONDS (given after it; 300 without) to the current period, running, paused or waiting.</source>
        <translation>Ajouter SECONDES (données après l’option ; 300 sans) à la période en cours, qu’elle tourne, soit en pause ou en attente.</translation>
    </message>
    <message>
        <source>--extend takes a number of seconds from 1 to %1 (9999:59:59).</source>
        <translation>--extend attend un nombre de secondes de 1 à %1 (9999:59:59).</translation>
    </message>
    <message>
        <source>Print one line: state=active|inactive period=work|shortBreak|longBreak remaining=SECONDS cycles=N, and today=N goal=N with a daily goal.</source>
        <translation>Affiche une ligne&#xa0;: state=active|inactive period=work|shortBreak|longBreak remaining=SECONDES cycles=N, puis today=N goal=N avec un objectif quotidien.</translation>
    </message>
    <message>
        <source>With --follow: plain lines from TEMPLATE, its {time}, {remaining}, {period}, {state}, {cycles}, {today} and {goal} filled in.</source>
        <translation>Avec --follow&#xa0;: des lignes simples tirées de MODÈLE, avec {time}, {remaining}, {period}, {state}, {cycles}, {today} et {goal} remplis.</translation>
    </message>
</context>
<context>
    <name>DailyProgress</name>
    <message numerus="yes">
        <source>%1 of %n today</source>
        <translation>
            <numerusform>%1 sur %n aujourd&apos;hui</numerusform>
            <numerusform>%1 sur %n aujourd&apos;hui</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GlobalShortcuts</name>
    <message>
        <source>Taken by another application</source>
        <translation>Déjà utilisé par une autre application</translation>
    </message>
    <message>
        <source>Not accepted by the desktop</source>
        <translation>Refusé par l&apos;environnement de bureau</translation>
    </message>
    <message>
        <source>No such key on this keyboard</source>
        <translation>Cette touche n&apos;existe pas sur ce clavier</translation>
    </message>
    <message>
        <source>Global shortcuts are not available on this desktop</source>
        <translation>Les raccourcis globaux ne sont pas disponibles sur ce bureau</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>cannot open the history %1: %2</source>
        <translation>impossible d&apos;ouvrir l&apos;historique %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot make the folder %1 for the history</source>
        <translation>impossible de créer le dossier %1 pour l&apos;historique</translation>
    </message>
    <message>
        <source>cannot read the history %1: %2</source>
        <translation>impossible de lire l&apos;historique %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the history %1 was written by a newer Zembrak; it is left alone</source>
        <translation>l&apos;historique %1 a été écrit par un Zembrak plus récent&#xa0;; il est laissé tel quel</translation>
    </message>
    <message>
        <source>cannot bring the history %1 up to date: %2</source>
        <translation>impossible de mettre à jour l&apos;historique %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged and cannot be moved aside</source>
        <translation>l&apos;historique %1 est endommagé et ne peut pas être mis de côté</translation>
    </message>
    <message>
        <source>the history %1 was damaged; moved to %2, a new one started</source>
        <translation>l&apos;historique %1 était endommagé&#xa0;; déplacé vers %2, un nouveau a été commencé</translation>
    </message>
    <message>
        <source>cannot write the history %1: %2</source>
        <translation>impossible d&apos;écrire l&apos;historique %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot clear the history %1: %2</source>
        <translation>impossible d&apos;effacer l&apos;historique %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged; Zembrak moves it aside when it next keeps a period</source>
        <translation>l&apos;historique %1 est endommagé&#xa0;; Zembrak le déplacera lorsqu&apos;il enregistrera la prochaine période</translation>
    </message>
    <message>
        <source>a period could not be kept in the history %1: %2 %3 from %4 to %5, planned %6 s, counted %7 s, task &quot;%8&quot;</source>
        <translation>une période n’a pas pu être gardée dans l’historique %1&#xa0;: %2 %3 de %4 à %5, prévue %6 s, comptée %7 s, tâche «&#xa0;%8&#xa0;»</translation>
    </message>
    <message numerus="yes">
        <source>%n period(s) could still be read from the damaged history and were kept</source>
        <translation>
            <numerusform>%n période a encore pu être lue dans l’historique endommagé et a été gardée</numerusform>
            <numerusform>%n périodes ont encore pu être lues dans l’historique endommagé et ont été gardées</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>KPBarChart</name>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Nothing recorded</source>
        <translation>Aucune donnée enregistrée</translation>
    </message>
</context>
<context>
    <name>KPMenuBarMenuButton</name>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
</context>
<context>
    <name>KPMenuBarTimeDisplay</name>
    <message>
        <source>Start/Pause</source>
        <translation>Démarrer/Pause</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
</context>
<context>
    <name>KPShortcutWindow</name>
    <message>
        <source>Shortcut</source>
        <translation>Raccourci</translation>
    </message>
</context>
<context>
    <name>KPSoundMenu</name>
    <message>
        <source>Sound Menu</source>
        <translation>Menu des sons</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
</context>
<context>
    <name>KPTaskCyclesMenu</name>
    <message>
        <source>Increase Cycle Count</source>
        <translation>Augmenter le nombre de cycles</translation>
    </message>
    <message>
        <source>Decrease Cycle Count</source>
        <translation>Diminuer le nombre de cycles</translation>
    </message>
</context>
<context>
    <name>KPTaskList</name>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>KPTaskTableModel</name>
    <message>
        <source>Completed</source>
        <translation>Terminée</translation>
    </message>
    <message>
        <source>Not Completed</source>
        <translation>Non terminée</translation>
    </message>
    <message>
        <source>Click to Edit</source>
        <translation>Cliquer pour modifier</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>Cycles</source>
        <translation>Cycles</translation>
    </message>
</context>
<context>
    <name>KPTaskTextEditor</name>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
</context>
<context>
    <name>KPTimeDigits</name>
    <message>
        <source>%1 elapsed</source>
        <translation>Temps écoulé&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 remaining</source>
        <translation>Temps restant&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>KPTimeEditor</name>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondes</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
</context>
<context>
    <name>KPTimerShortcutManager</name>
    <message>
        <source>Start/Pause</source>
        <translation>Démarrer/Pause</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
</context>
<context>
    <name>KPUtilityWindow</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>PeriodEndNotifier</name>
    <message>
        <source>Work period finished</source>
        <translation>Période de travail terminée</translation>
    </message>
    <message>
        <source>Break finished</source>
        <translation>Pause terminée</translation>
    </message>
    <message>
        <source>work period</source>
        <translation>période de travail</translation>
    </message>
    <message>
        <source>short break</source>
        <translation>pause courte</translation>
    </message>
    <message>
        <source>long break</source>
        <translation>pause longue</translation>
    </message>
    <message>
        <source>Next: %1, %2</source>
        <translation>Ensuite&#xa0;: %1, %2</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n heure</numerusform>
            <numerusform>%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>Work period ended while away</source>
        <translation>Période de travail terminée pendant votre absence</translation>
    </message>
    <message>
        <source>Break ended while away</source>
        <translation>Pause terminée pendant votre absence</translation>
    </message>
    <message>
        <source>Resume the timer when you are back.</source>
        <translation>Reprenez le minuteur à votre retour.</translation>
    </message>
    <message>
        <source>Start Break</source>
        <translation>Démarrer la pause</translation>
    </message>
    <message>
        <source>Start Work</source>
        <translation>Démarrer le travail</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Passer la pause</translation>
    </message>
    <message>
        <source>Show Zembrak</source>
        <translation>Afficher Zembrak</translation>
    </message>
</context>
<context>
    <name>PlasmaNotificationSilence</name>
    <message>
        <source>A work period is counting</source>
        <translation>Une période de travail est en cours</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Raccourci</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt or Meta with this key</source>
        <translation>Maintenez Ctrl, Alt ou Méta avec cette touche</translation>
    </message>
    <message>
        <source>The shortcut could not be stored</source>
        <translation>Le raccourci n&apos;a pas pu être enregistré</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>took over %1, left by another machine where nothing answers</source>
        <translation>%1 repris, laissé par une autre machine où rien ne répond</translation>
    </message>
    <message>
        <source>cannot take the lock %1; starting without it, so a second copy is not kept from starting</source>
        <translation>impossible de prendre le verrou %1&#xa0;; démarrage sans lui, une seconde copie n’est donc pas empêchée de démarrer</translation>
    </message>
</context>
<context>
    <name>TopBarHint</name>
    <message>
        <source>Zembrak can show its time in the top bar</source>
        <translation>Zembrak peut afficher son temps dans la barre supérieure</translation>
    </message>
    <message>
        <source>Install and turn on the AppIndicator extension (Debian&apos;s package gnome-shell-extension-appindicator), then start Zembrak again.</source>
        <translation>Installez et activez l’extension AppIndicator (le paquet Debian gnome-shell-extension-appindicator), puis relancez Zembrak.</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Les informations de mise à jour n&apos;ont pas pu être lues.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1).</source>
        <translation>Le serveur de mises à jour a répondu par une erreur (HTTP %1).</translation>
    </message>
    <message>
        <source>%1 could not be reached. Are you offline?</source>
        <translation>%1 est injoignable. Êtes-vous hors ligne&#xa0;?</translation>
    </message>
    <message>
        <source>The update server %1 is not taking connections; try again later.</source>
        <translation>Le serveur de mises à jour %1 n&apos;accepte pas de connexions&#xa0;; réessayez plus tard.</translation>
    </message>
    <message>
        <source>The update server %1 did not answer in time.</source>
        <translation>Le serveur de mises à jour %1 n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The connection to %1 is not secure; nothing was read.</source>
        <translation>La connexion à %1 n&apos;est pas sécurisée&#xa0;; rien n&apos;a été lu.</translation>
    </message>
    <message>
        <source>The update check failed: %1.</source>
        <translation>La recherche de mises à jour a échoué&#xa0;: %1.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Mise à jour du logiciel</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Vous êtes à jour.</translation>
    </message>
    <message>
        <source>Zembrak %1 is the newest version.</source>
        <translation>Zembrak %1 est la version la plus récente.</translation>
    </message>
    <message>
        <source>Zembrak %1 is available.</source>
        <translation>Zembrak %1 est disponible.</translation>
    </message>
    <message>
        <source>You have %1. &lt;a href=&quot;%2&quot;&gt;Download the new version&lt;/a&gt;.</source>
        <translation>Vous avez la version %1. &lt;a href=&quot;%2&quot;&gt;Télécharger la nouvelle version&lt;/a&gt;.</translation>
    </message>
    <message>
        <source>Zembrak could not check for updates.</source>
        <translation>Zembrak n&apos;a pas pu rechercher de mises à jour.</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreen</name>
    <message>
        <source>Next: %1</source>
        <translation>Ensuite&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreenPanel</name>
    <message>
        <source>Skip Break</source>
        <translation>Passer la pause</translation>
    </message>
    <message>
        <source>Postpone 1 Minute</source>
        <translation>Reporter d’une minute</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Écran de pause</translation>
    </message>
    <message>
        <source>Escape closes it; the break goes on.</source>
        <translation>Échap le ferme&#xa0;; la pause continue.</translation>
    </message>
</context>
<context>
    <name>ZKIdlePromptWindow</name>
    <message>
        <source>Welcome Back</source>
        <translation>Bon retour</translation>
    </message>
    <message>
        <source>Keep as Work</source>
        <translation>Garder comme travail</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Count the time away as work</source>
        <translation>Compter le temps d&apos;absence comme du travail</translation>
    </message>
    <message>
        <source>Give the time away back to the period</source>
        <translation>Rendre le temps d&apos;absence à la période</translation>
    </message>
    <message>
        <source>You were away 1 minute.</source>
        <translation>Absence de 1 minute.</translation>
    </message>
    <message>
        <source>You were away %1 minutes.</source>
        <translation>Absence de %1 minutes.</translation>
    </message>
</context>
<context>
    <name>ZKMenu</name>
    <message>
        <source>Preferences Menu</source>
        <translation>Menu des préférences</translation>
    </message>
    <message>
        <source>Time Settings</source>
        <translation>Réglages des durées</translation>
    </message>
    <message>
        <source>Edit Time</source>
        <translation>Modifier le temps</translation>
    </message>
    <message>
        <source>Autohide Display</source>
        <translation>Masquer l&apos;affichage automatiquement</translation>
    </message>
    <message>
        <source>Small Display</source>
        <translation>Affichage réduit</translation>
    </message>
    <message>
        <source>Show Seconds</source>
        <translation>Afficher les secondes</translation>
    </message>
    <message>
        <source>Show Cycle Count</source>
        <translation>Afficher le nombre de cycles</translation>
    </message>
    <message>
        <source>Enable Ticking</source>
        <translation>Activer le tic-tac</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Notify at Period End</source>
        <translation>Notifier à la fin de chaque période</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>Questions/Problems/Suggestions</source>
        <translation>Questions/Problèmes/Suggestions</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Pause When Locked</source>
        <translation>Mettre en pause au verrouillage</translation>
    </message>
    <message>
        <source>Ask After Idle</source>
        <translation>Demander après inactivité</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Not available on this desktop</source>
        <translation>Non disponible sur ce bureau</translation>
    </message>
    <message>
        <source>+5 Minutes</source>
        <translation>+5 minutes</translation>
    </message>
    <message>
        <source>Start Breaks Automatically</source>
        <translation>Démarrer les pauses automatiquement</translation>
    </message>
    <message>
        <source>Start Work Automatically</source>
        <translation>Démarrer le travail automatiquement</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Écran de pause</translation>
    </message>
    <message>
        <source>Show Timer Window</source>
        <translation>Afficher la fenêtre du minuteur</translation>
    </message>
    <message>
        <source>Daily Goal</source>
        <translation>Objectif quotidien</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n période de travail</numerusform>
            <numerusform>%n périodes de travail</numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Silence Notifications During Work</source>
        <translation>Mettre les notifications en sourdine pendant le travail</translation>
    </message>
</context>
<context>
    <name>ZKPopover</name>
    <message>
        <source>Resume Timer</source>
        <translation>Reprendre le minuteur</translation>
    </message>
    <message>
        <source>Cycles Since Launch: %1</source>
        <translation>Cycles depuis le lancement&#xa0;: %1</translation>
    </message>
    <message>
        <source>Add New Task</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <source>Remove Selected Task</source>
        <translation>Supprimer la tâche sélectionnée</translation>
    </message>
    <message>
        <source>Move Up Selected Task</source>
        <translation>Monter la tâche sélectionnée</translation>
    </message>
    <message>
        <source>Move Down Selected Task</source>
        <translation>Descendre la tâche sélectionnée</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Pause Timer</source>
        <translation>Mettre le minuteur en pause</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Travail</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Pause courte</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Pause longue</translation>
    </message>
</context>
<context>
    <name>ZKStatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>30 derniers jours</translation>
    </message>
    <message>
        <source>Days shown</source>
        <translation>Jours affichés</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>Work Periods</source>
        <translation>Périodes de travail</translation>
    </message>
    <message>
        <source>Focused Time</source>
        <translation>Temps de concentration</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Clear History…</source>
        <translation>Effacer l&apos;historique…</translation>
    </message>
    <message>
        <source>Work periods finished: %1</source>
        <translation>Périodes de travail terminées&#xa0;: %1</translation>
    </message>
    <message>
        <source>Focused time: %1</source>
        <translation>Temps de concentration&#xa0;: %1</translation>
    </message>
    <message>
        <source>Breaks taken: %1</source>
        <translation>Pauses prises&#xa0;: %1</translation>
    </message>
    <message>
        <source>Focused time per hour</source>
        <translation>Temps de concentration par heure</translation>
    </message>
    <message>
        <source>Focused time per day</source>
        <translation>Temps de concentration par jour</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Effacer l&apos;historique</translation>
    </message>
    <message>
        <source>Delete every recorded period? This cannot be undone.</source>
        <translation>Supprimer toutes les périodes enregistrées&#xa0;? Cette action est irréversible.</translation>
    </message>
    <message>
        <source>The history could not be cleared.</source>
        <translation>L&apos;historique n&apos;a pas pu être effacé.</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1&#xa0;h&#xa0;%2&#xa0;min</translation>
    </message>
    <message>
        <source>The history could not be read.</source>
        <translation>L&apos;historique n&apos;a pas pu être lu.</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n période de travail</numerusform>
            <numerusform>%n périodes de travail</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal: %1</source>
        <translation>Objectif&#xa0;: %1</translation>
    </message>
    <message>
        <source>Work periods per day</source>
        <translation>Périodes de travail par jour</translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n days</source>
        <translation>
            <numerusform>Série en cours&#xa0;: %n jour</numerusform>
            <numerusform>Série en cours&#xa0;: %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Longest streak: %n days</source>
        <translation>
            <numerusform>Plus longue série&#xa0;: %n jour</numerusform>
            <numerusform>Plus longue série&#xa0;: %n jours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZKStatusMenu</name>
    <message>
        <source>Open Zembrak</source>
        <translation>Ouvrir Zembrak</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Passer</translation>
    </message>
</context>
<context>
    <name>ZKTimeEditorWindow</name>
    <message>
        <source>Edit Time</source>
        <translation>Modifier le temps</translation>
    </message>
</context>
<context>
    <name>ZKTimeSettingsWindow</name>
    <message>
        <source>Time Settings</source>
        <translation>Réglages des durées</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Long Break Interval:</source>
        <translation>Intervalle des pauses longues&#xa0;:</translation>
    </message>
    <message>
        <source>Long Break Length:</source>
        <translation>Durée de la pause longue&#xa0;:</translation>
    </message>
    <message>
        <source>Short Break Length:</source>
        <translation>Durée de la pause courte&#xa0;:</translation>
    </message>
    <message>
        <source>Work Length:</source>
        <translation>Durée du travail&#xa0;:</translation>
    </message>
</context>
<context>
    <name>ZKTimerView</name>
    <message>
        <source>Timer</source>
        <translation>Minuteur</translation>
    </message>
    <message>
        <source>No open task</source>
        <translation>Aucune tâche ouverte</translation>
    </message>
    <message>
        <source>Current task: %1</source>
        <translation>Tâche en cours&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ZKTimerWindow</name>
    <message>
        <source>Zembrak Timer</source>
        <translation>Minuteur Zembrak</translation>
    </message>
    <message>
        <source>Keep on Top</source>
        <translation>Garder au premier plan</translation>
    </message>
    <message>
        <source>Hide Timer Window</source>
        <translation>Masquer la fenêtre du minuteur</translation>
    </message>
</context>
</TS>
