<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AwayController</name>
    <message>
        <source>Paused: screen locked</source>
        <translation>En pausa: pantalla bloqueada</translation>
    </message>
    <message>
        <source>Paused: went to sleep</source>
        <translation>En pausa: el equipo entró en suspensión</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Start or pause the timer of the running Zembrak (starting Zembrak first when none runs).</source>
        <translation>Inicia o pausa el temporizador del Zembrak en ejecución (iniciando antes Zembrak si no hay ninguno).</translation>
    </message>
    <message>
        <source>Rewind the current period to its full length, paused.</source>
        <translation>Devuelve el periodo actual a su duración completa, en pausa.</translation>
    </message>
    <message>
        <source>End the current period now; the next one starts.</source>
        <translation>Termina ahora el periodo actual; empieza el siguiente.</translation>
    </message>
    <message>
        <source>Print a line for a status bar at once and at each change, until ended: waybar&apos;s JSON, or the --format template&apos;s fields filled in.</source>
        <translation>Imprime una línea para una barra de estado al momento y en cada cambio, hasta que se termine: el JSON de waybar, o la plantilla de --format con sus campos rellenados.</translation>
    </message>
    <message>
        <source>A time-box timer in the tray. Without options, runs Zembrak or brings
the running one forward; the options below drive the running one.
Exit status: 0 done, 1 no running Zembrak reached, 2 wrong usage.</source>
        <translation>Un temporizador de bloques de tiempo en la bandeja. Sin opciones, ejecuta Zembrak o trae
al frente el que está en ejecución; las opciones siguientes controlan el que está en ejecución.
Estado de salida: 0 hecho, 1 no se alcanzó ningún Zembrak en ejecución, 2 uso incorrecto.</translation>
    </message>
    <message>
        <source>TEMPLATE</source>
        <translation>PLANTILLA</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado «%1».</translation>
    </message>
    <message>
        <source>Give one control option at a time.</source>
        <translation>Indique una sola opción de control cada vez.</translation>
    </message>
    <message>
        <source>no session bus to follow Zembrak on (%1).</source>
        <translation>no hay ningún bus de sesión en el que seguir a Zembrak (%1).</translation>
    </message>
    <message>
        <source>no session bus to reach Zembrak on (%1).</source>
        <translation>no hay ningún bus de sesión en el que contactar con Zembrak (%1).</translation>
    </message>
    <message>
        <source>Zembrak is not running.</source>
        <translation>Zembrak no está en ejecución.</translation>
    </message>
    <message>
        <source>could not start %1.</source>
        <translation>no se pudo iniciar %1.</translation>
    </message>
    <message>
        <source>Zembrak did not answer on the session bus within %1 s.</source>
        <translation>Zembrak no respondió en el bus de sesión en %1 s.</translation>
    </message>
    <message>
        <source>nothing to do.</source>
        <translation>nada que hacer.</translation>
    </message>
    <message>
        <source>already running; asked the running one to show itself.</source>
        <translation>ya está en ejecución; se ha pedido a la instancia en ejecución que se muestre.</translation>
    </message>
    <message>
        <source>Print the periods kept in the history, oldest first, as CSV or JSON (--format csv|json); no running Zembrak needed.</source>
        <translation>Imprime los periodos guardados en el historial, del más antiguo al más reciente, como CSV o JSON (--format csv|json); no hace falta un Zembrak en ejecución.</translation>
    </message>
    <message>
        <source>Print one line a day, oldest first: the date, work periods finished and minutes of focus; no running Zembrak needed.</source>
        <translation>Imprime una línea por día, del más antiguo al más reciente: la fecha, los periodos de trabajo terminados y los minutos de concentración; no hace falta un Zembrak en ejecución.</translation>
    </message>
    <message>
        <source>With --history or --stats: the periods that end after DATE (YYYY-MM-DD, local day, or an ISO 8601 date and time).</source>
        <translation>Con --history o --stats: los periodos que terminan después de FECHA (AAAA-MM-DD, día local, o una fecha y hora ISO 8601).</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>FECHA</translation>
    </message>
    <message>
        <source>With --history: the periods that begin before the end of DATE.</source>
        <translation>Con --history: los periodos que empiezan antes del final de FECHA.</translation>
    </message>
    <message>
        <source>--format goes with --follow or --history.</source>
        <translation>--format va con --follow o --history.</translation>
    </message>
    <message>
        <source>--format with --history is csv or json.</source>
        <translation>--format con --history es csv o json.</translation>
    </message>
    <message>
        <source>--%1 goes with --history.</source>
        <translation>--%1 va con --history.</translation>
    </message>
    <message>
        <source>--%1: &apos;%2&apos; is no date (YYYY-MM-DD) or ISO 8601 date and time.</source>
        <translation>--%1: «%2» no es una fecha (AAAA-MM-DD) ni una fecha y hora ISO 8601.</translation>
    </message>
    <message>
        <source>could not write the history out.</source>
        <translation>no se pudo escribir el historial.</translation>
    </message>
    <message>
        <source>Add SECONDS (given after it; 300 without) to the current period, running, paused or waiting.</source>
        <translation>Añadir SEGUNDOS (indicados después; 300 si no se indican) al periodo actual, en marcha, en pausa o en espera.</translation>
    </message>
    <message>
        <source>--extend takes a number of seconds from 1 to %1 (9999:59:59).</source>
        <translation>--extend admite un número de segundos de 1 a %1 (9999:59:59).</translation>
    </message>
    <message>
        <source>Print one line: state=active|inactive period=work|shortBreak|longBreak remaining=SECONDS cycles=N, and today=N goal=N with a daily goal.</source>
        <translation>Imprime una línea: state=active|inactive period=work|shortBreak|longBreak remaining=SEGUNDOS cycles=N, y today=N goal=N con un objetivo diario.</translation>
    </message>
    <message>
        <source>With --follow: plain lines from TEMPLATE, its {time}, {remaining}, {period}, {state}, {cycles}, {today} and {goal} filled in.</source>
        <translation>Con --follow: líneas simples a partir de PLANTILLA, con {time}, {remaining}, {period}, {state}, {cycles}, {today} y {goal} rellenados.</translation>
    </message>
</context>
<context>
    <name>DailyProgress</name>
    <message numerus="yes">
        <source>%1 of %n today</source>
        <translation>
            <numerusform>%1 de %n hoy</numerusform>
            <numerusform>%1 de %n hoy</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GlobalShortcuts</name>
    <message>
        <source>Taken by another application</source>
        <translation>En uso por otra aplicación</translation>
    </message>
    <message>
        <source>Not accepted by the desktop</source>
        <translation>No aceptado por el escritorio</translation>
    </message>
    <message>
        <source>No such key on this keyboard</source>
        <translation>Esta tecla no existe en este teclado</translation>
    </message>
    <message>
        <source>Global shortcuts are not available on this desktop</source>
        <translation>Los atajos globales no están disponibles en este escritorio</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>cannot open the history %1: %2</source>
        <translation>no se puede abrir el historial %1: %2</translation>
    </message>
    <message>
        <source>cannot make the folder %1 for the history</source>
        <translation>no se puede crear la carpeta %1 para el historial</translation>
    </message>
    <message>
        <source>cannot read the history %1: %2</source>
        <translation>no se puede leer el historial %1: %2</translation>
    </message>
    <message>
        <source>the history %1 was written by a newer Zembrak; it is left alone</source>
        <translation>el historial %1 lo escribió un Zembrak más reciente; se deja intacto</translation>
    </message>
    <message>
        <source>cannot bring the history %1 up to date: %2</source>
        <translation>no se puede actualizar el historial %1: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged and cannot be moved aside</source>
        <translation>el historial %1 está dañado y no se puede apartar</translation>
    </message>
    <message>
        <source>the history %1 was damaged; moved to %2, a new one started</source>
        <translation>el historial %1 estaba dañado; se movió a %2 y se empezó uno nuevo</translation>
    </message>
    <message>
        <source>cannot write the history %1: %2</source>
        <translation>no se puede escribir el historial %1: %2</translation>
    </message>
    <message>
        <source>cannot clear the history %1: %2</source>
        <translation>no se puede borrar el historial %1: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged; Zembrak moves it aside when it next keeps a period</source>
        <translation>el historial %1 está dañado; Zembrak lo apartará cuando guarde el próximo periodo</translation>
    </message>
    <message>
        <source>a period could not be kept in the history %1: %2 %3 from %4 to %5, planned %6 s, counted %7 s, task &quot;%8&quot;</source>
        <translation>no se pudo guardar un periodo en el historial %1: %2 %3 de %4 a %5, previsto %6 s, contado %7 s, tarea «%8»</translation>
    </message>
    <message numerus="yes">
        <source>%n period(s) could still be read from the damaged history and were kept</source>
        <translation>
            <numerusform>%n periodo aún pudo leerse del historial dañado y se conservó</numerusform>
            <numerusform>%n periodos aún pudieron leerse del historial dañado y se conservaron</numerusform>
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
        <translation>Nada registrado</translation>
    </message>
</context>
<context>
    <name>KPMenuBarMenuButton</name>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
</context>
<context>
    <name>KPMenuBarTimeDisplay</name>
    <message>
        <source>Start/Pause</source>
        <translation>Iniciar/Pausar</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
</context>
<context>
    <name>KPShortcutWindow</name>
    <message>
        <source>Shortcut</source>
        <translation>Atajo</translation>
    </message>
</context>
<context>
    <name>KPSoundMenu</name>
    <message>
        <source>Sound Menu</source>
        <translation>Menú de sonidos</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
</context>
<context>
    <name>KPTaskCyclesMenu</name>
    <message>
        <source>Increase Cycle Count</source>
        <translation>Aumentar el número de ciclos</translation>
    </message>
    <message>
        <source>Decrease Cycle Count</source>
        <translation>Reducir el número de ciclos</translation>
    </message>
</context>
<context>
    <name>KPTaskList</name>
    <message>
        <source>Tasks</source>
        <translation>Tareas</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>KPTaskTableModel</name>
    <message>
        <source>Completed</source>
        <translation>Completada</translation>
    </message>
    <message>
        <source>Not Completed</source>
        <translation>No completada</translation>
    </message>
    <message>
        <source>Click to Edit</source>
        <translation>Pulse para editar</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>Cycles</source>
        <translation>Ciclos</translation>
    </message>
</context>
<context>
    <name>KPTaskTextEditor</name>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
</context>
<context>
    <name>KPTimeDigits</name>
    <message>
        <source>%1 elapsed</source>
        <translation>Tiempo transcurrido: %1</translation>
    </message>
    <message>
        <source>%1 remaining</source>
        <translation>Tiempo restante: %1</translation>
    </message>
</context>
<context>
    <name>KPTimeEditor</name>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutos</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Segundos</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
</context>
<context>
    <name>KPTimerShortcutManager</name>
    <message>
        <source>Start/Pause</source>
        <translation>Iniciar/Pausar</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
</context>
<context>
    <name>KPUtilityWindow</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>PeriodEndNotifier</name>
    <message>
        <source>Work period finished</source>
        <translation>Periodo de trabajo terminado</translation>
    </message>
    <message>
        <source>Break finished</source>
        <translation>Descanso terminado</translation>
    </message>
    <message>
        <source>work period</source>
        <translation>periodo de trabajo</translation>
    </message>
    <message>
        <source>short break</source>
        <translation>descanso corto</translation>
    </message>
    <message>
        <source>long break</source>
        <translation>descanso largo</translation>
    </message>
    <message>
        <source>Next: %1, %2</source>
        <translation>A continuación: %1, %2</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n hora</numerusform>
            <numerusform>%n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n segundo</numerusform>
            <numerusform>%n segundos</numerusform>
        </translation>
    </message>
    <message>
        <source>Work period ended while away</source>
        <translation>Periodo de trabajo terminado durante su ausencia</translation>
    </message>
    <message>
        <source>Break ended while away</source>
        <translation>Descanso terminado durante su ausencia</translation>
    </message>
    <message>
        <source>Resume the timer when you are back.</source>
        <translation>Reanude el temporizador cuando vuelva.</translation>
    </message>
    <message>
        <source>Start Break</source>
        <translation>Iniciar descanso</translation>
    </message>
    <message>
        <source>Start Work</source>
        <translation>Iniciar trabajo</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Saltar descanso</translation>
    </message>
    <message>
        <source>Show Zembrak</source>
        <translation>Mostrar Zembrak</translation>
    </message>
</context>
<context>
    <name>PlasmaNotificationSilence</name>
    <message>
        <source>A work period is counting</source>
        <translation>Hay un periodo de trabajo en curso</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt or Meta with this key</source>
        <translation>Mantenga pulsada Ctrl, Alt o Meta con esta tecla</translation>
    </message>
    <message>
        <source>The shortcut could not be stored</source>
        <translation>No se pudo guardar el atajo</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>took over %1, left by another machine where nothing answers</source>
        <translation>se tomó %1, dejado por otra máquina donde nada responde</translation>
    </message>
    <message>
        <source>cannot take the lock %1; starting without it, so a second copy is not kept from starting</source>
        <translation>no se puede tomar el bloqueo %1; se inicia sin él, así que no se impide que arranque una segunda copia</translation>
    </message>
</context>
<context>
    <name>TopBarHint</name>
    <message>
        <source>Zembrak can show its time in the top bar</source>
        <translation>Zembrak puede mostrar su tiempo en la barra superior</translation>
    </message>
    <message>
        <source>Install and turn on the AppIndicator extension (Debian&apos;s package gnome-shell-extension-appindicator), then start Zembrak again.</source>
        <translation>Instale y active la extensión AppIndicator (el paquete de Debian gnome-shell-extension-appindicator) y vuelva a iniciar Zembrak.</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>No se pudo leer la información de actualización.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1).</source>
        <translation>El servidor de actualizaciones respondió con un error (HTTP %1).</translation>
    </message>
    <message>
        <source>%1 could not be reached. Are you offline?</source>
        <translation>No se pudo contactar con %1. ¿Está sin conexión?</translation>
    </message>
    <message>
        <source>The update server %1 is not taking connections; try again later.</source>
        <translation>El servidor de actualizaciones %1 no acepta conexiones; inténtelo más tarde.</translation>
    </message>
    <message>
        <source>The update server %1 did not answer in time.</source>
        <translation>El servidor de actualizaciones %1 no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The connection to %1 is not secure; nothing was read.</source>
        <translation>La conexión con %1 no es segura; no se leyó nada.</translation>
    </message>
    <message>
        <source>The update check failed: %1.</source>
        <translation>Falló la búsqueda de actualizaciones: %1.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Actualización de software</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Buscando actualizaciones…</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Está al día.</translation>
    </message>
    <message>
        <source>Zembrak %1 is the newest version.</source>
        <translation>Zembrak %1 es la versión más reciente.</translation>
    </message>
    <message>
        <source>Zembrak %1 is available.</source>
        <translation>Zembrak %1 está disponible.</translation>
    </message>
    <message>
        <source>You have %1. &lt;a href=&quot;%2&quot;&gt;Download the new version&lt;/a&gt;.</source>
        <translation>Tiene la versión %1. &lt;a href=&quot;%2&quot;&gt;Descargar la nueva versión&lt;/a&gt;.</translation>
    </message>
    <message>
        <source>Zembrak could not check for updates.</source>
        <translation>Zembrak no pudo buscar actualizaciones.</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreen</name>
    <message>
        <source>Next: %1</source>
        <translation>A continuación: %1</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreenPanel</name>
    <message>
        <source>Skip Break</source>
        <translation>Saltar el descanso</translation>
    </message>
    <message>
        <source>Postpone 1 Minute</source>
        <translation>Posponer 1 minuto</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Pantalla de descanso</translation>
    </message>
    <message>
        <source>Escape closes it; the break goes on.</source>
        <translation>Escape la cierra; el descanso continúa.</translation>
    </message>
</context>
<context>
    <name>ZKIdlePromptWindow</name>
    <message>
        <source>Welcome Back</source>
        <translation>Hola de nuevo</translation>
    </message>
    <message>
        <source>Keep as Work</source>
        <translation>Mantener como trabajo</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Count the time away as work</source>
        <translation>Contar el tiempo de ausencia como trabajo</translation>
    </message>
    <message>
        <source>Give the time away back to the period</source>
        <translation>Devolver el tiempo de ausencia al periodo</translation>
    </message>
    <message>
        <source>You were away 1 minute.</source>
        <translation>Ha estado ausente 1 minuto.</translation>
    </message>
    <message>
        <source>You were away %1 minutes.</source>
        <translation>Ha estado ausente %1 minutos.</translation>
    </message>
</context>
<context>
    <name>ZKMenu</name>
    <message>
        <source>Preferences Menu</source>
        <translation>Menú de preferencias</translation>
    </message>
    <message>
        <source>Time Settings</source>
        <translation>Ajustes de tiempo</translation>
    </message>
    <message>
        <source>Edit Time</source>
        <translation>Editar tiempo</translation>
    </message>
    <message>
        <source>Autohide Display</source>
        <translation>Ocultar el indicador automáticamente</translation>
    </message>
    <message>
        <source>Small Display</source>
        <translation>Indicador pequeño</translation>
    </message>
    <message>
        <source>Show Seconds</source>
        <translation>Mostrar segundos</translation>
    </message>
    <message>
        <source>Show Cycle Count</source>
        <translation>Mostrar número de ciclos</translation>
    </message>
    <message>
        <source>Enable Ticking</source>
        <translation>Activar tictac</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Más</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Notify at Period End</source>
        <translation>Notificar al final de cada periodo</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>Questions/Problems/Suggestions</source>
        <translation>Preguntas/Problemas/Sugerencias</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>Pause When Locked</source>
        <translation>Pausar al bloquear</translation>
    </message>
    <message>
        <source>Ask After Idle</source>
        <translation>Preguntar tras inactividad</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Not available on this desktop</source>
        <translation>No disponible en este escritorio</translation>
    </message>
    <message>
        <source>+5 Minutes</source>
        <translation>+5 minutos</translation>
    </message>
    <message>
        <source>Start Breaks Automatically</source>
        <translation>Iniciar descansos automáticamente</translation>
    </message>
    <message>
        <source>Start Work Automatically</source>
        <translation>Iniciar trabajo automáticamente</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Pantalla de descanso</translation>
    </message>
    <message>
        <source>Show Timer Window</source>
        <translation>Mostrar ventana del temporizador</translation>
    </message>
    <message>
        <source>Daily Goal</source>
        <translation>Objetivo diario</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n periodo de trabajo</numerusform>
            <numerusform>%n periodos de trabajo</numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Silence Notifications During Work</source>
        <translation>Silenciar las notificaciones durante el trabajo</translation>
    </message>
</context>
<context>
    <name>ZKPopover</name>
    <message>
        <source>Resume Timer</source>
        <translation>Reanudar temporizador</translation>
    </message>
    <message>
        <source>Cycles Since Launch: %1</source>
        <translation>Ciclos desde el inicio: %1</translation>
    </message>
    <message>
        <source>Add New Task</source>
        <translation>Añadir tarea nueva</translation>
    </message>
    <message>
        <source>Remove Selected Task</source>
        <translation>Quitar la tarea seleccionada</translation>
    </message>
    <message>
        <source>Move Up Selected Task</source>
        <translation>Subir la tarea seleccionada</translation>
    </message>
    <message>
        <source>Move Down Selected Task</source>
        <translation>Bajar la tarea seleccionada</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Pause Timer</source>
        <translation>Pausar temporizador</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Trabajo</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Descanso corto</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Descanso largo</translation>
    </message>
</context>
<context>
    <name>ZKStatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Esta semana</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Últimos 30 días</translation>
    </message>
    <message>
        <source>Days shown</source>
        <translation>Días mostrados</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>Work Periods</source>
        <translation>Periodos de trabajo</translation>
    </message>
    <message>
        <source>Focused Time</source>
        <translation>Tiempo de concentración</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tareas</translation>
    </message>
    <message>
        <source>Clear History…</source>
        <translation>Borrar historial…</translation>
    </message>
    <message>
        <source>Work periods finished: %1</source>
        <translation>Periodos de trabajo terminados: %1</translation>
    </message>
    <message>
        <source>Focused time: %1</source>
        <translation>Tiempo de concentración: %1</translation>
    </message>
    <message>
        <source>Breaks taken: %1</source>
        <translation>Descansos tomados: %1</translation>
    </message>
    <message>
        <source>Focused time per hour</source>
        <translation>Tiempo de concentración por hora</translation>
    </message>
    <message>
        <source>Focused time per day</source>
        <translation>Tiempo de concentración por día</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Borrar historial</translation>
    </message>
    <message>
        <source>Delete every recorded period? This cannot be undone.</source>
        <translation>¿Eliminar todos los periodos registrados? No se puede deshacer.</translation>
    </message>
    <message>
        <source>The history could not be cleared.</source>
        <translation>No se pudo borrar el historial.</translation>
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
        <translation>No se pudo leer el historial.</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n periodo de trabajo</numerusform>
            <numerusform>%n periodos de trabajo</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal: %1</source>
        <translation>Objetivo: %1</translation>
    </message>
    <message>
        <source>Work periods per day</source>
        <translation>Periodos de trabajo por día</translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n days</source>
        <translation>
            <numerusform>Racha actual: %n día</numerusform>
            <numerusform>Racha actual: %n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Longest streak: %n days</source>
        <translation>
            <numerusform>Racha más larga: %n día</numerusform>
            <numerusform>Racha más larga: %n días</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZKStatusMenu</name>
    <message>
        <source>Open Zembrak</source>
        <translation>Abrir Zembrak</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Saltar</translation>
    </message>
</context>
<context>
    <name>ZKTimeEditorWindow</name>
    <message>
        <source>Edit Time</source>
        <translation>Editar tiempo</translation>
    </message>
</context>
<context>
    <name>ZKTimeSettingsWindow</name>
    <message>
        <source>Time Settings</source>
        <translation>Ajustes de tiempo</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Long Break Interval:</source>
        <translation>Intervalo del descanso largo:</translation>
    </message>
    <message>
        <source>Long Break Length:</source>
        <translation>Duración del descanso largo:</translation>
    </message>
    <message>
        <source>Short Break Length:</source>
        <translation>Duración del descanso corto:</translation>
    </message>
    <message>
        <source>Work Length:</source>
        <translation>Duración del trabajo:</translation>
    </message>
</context>
<context>
    <name>ZKTimerView</name>
    <message>
        <source>Timer</source>
        <translation>Temporizador</translation>
    </message>
    <message>
        <source>No open task</source>
        <translation>Ninguna tarea abierta</translation>
    </message>
    <message>
        <source>Current task: %1</source>
        <translation>Tarea actual: %1</translation>
    </message>
</context>
<context>
    <name>ZKTimerWindow</name>
    <message>
        <source>Zembrak Timer</source>
        <translation>Temporizador de Zembrak</translation>
    </message>
    <message>
        <source>Keep on Top</source>
        <translation>Mantener encima</translation>
    </message>
    <message>
        <source>Hide Timer Window</source>
        <translation>Ocultar ventana del temporizador</translation>
    </message>
</context>
</TS>
