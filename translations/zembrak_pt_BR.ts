<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AwayController</name>
    <message>
        <source>Paused: screen locked</source>
        <translation>Pausado: tela bloqueada</translation>
    </message>
    <message>
        <source>Paused: went to sleep</source>
        <translation>Pausado: o computador entrou em suspensão</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Start or pause the timer of the running Zembrak (starting Zembrak first when none runs).</source>
        <translation>Inicia ou pausa o temporizador do Zembrak em execução (iniciando o Zembrak antes, se nenhum estiver em execução).</translation>
    </message>
    <message>
        <source>Rewind the current period to its full length, paused.</source>
        <translation>Volta o período atual à sua duração completa, pausado.</translation>
    </message>
    <message>
        <source>End the current period now; the next one starts.</source>
        <translation>Encerra o período atual agora; o próximo começa.</translation>
    </message>
    <message>
        <source>Print a line for a status bar at once and at each change, until ended: waybar&apos;s JSON, or the --format template&apos;s fields filled in.</source>
        <translation>Imprime uma linha para uma barra de status imediatamente e a cada mudança, até ser encerrado: o JSON do waybar, ou o modelo de --format com seus campos preenchidos.</translation>
    </message>
    <message>
        <source>A time-box timer in the tray. Without options, runs Zembrak or brings
the running one forward; the options below drive the running one.
Exit status: 0 done, 1 no running Zembrak reached, 2 wrong usage.</source>
        <translation>Um temporizador de blocos de tempo na bandeja. Sem opções, executa o Zembrak ou traz para a
frente o que está em execução; as opções abaixo controlam o que está em execução.
Status de saída: 0 feito, 1 nenhum Zembrak em execução alcançado, 2 uso incorreto.</translation>
    </message>
    <message>
        <source>TEMPLATE</source>
        <translation>MODELO</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado “%1”.</translation>
    </message>
    <message>
        <source>Give one control option at a time.</source>
        <translation>Informe uma opção de controle por vez.</translation>
    </message>
    <message>
        <source>no session bus to follow Zembrak on (%1).</source>
        <translation>não há barramento de sessão para acompanhar o Zembrak (%1).</translation>
    </message>
    <message>
        <source>no session bus to reach Zembrak on (%1).</source>
        <translation>não há barramento de sessão para alcançar o Zembrak (%1).</translation>
    </message>
    <message>
        <source>Zembrak is not running.</source>
        <translation>O Zembrak não está em execução.</translation>
    </message>
    <message>
        <source>could not start %1.</source>
        <translation>não foi possível iniciar %1.</translation>
    </message>
    <message>
        <source>Zembrak did not answer on the session bus within %1 s.</source>
        <translation>O Zembrak não respondeu no barramento de sessão em %1 s.</translation>
    </message>
    <message>
        <source>nothing to do.</source>
        <translation>nada a fazer.</translation>
    </message>
    <message>
        <source>already running; asked the running one to show itself.</source>
        <translation>já em execução; a instância em execução foi solicitada a se mostrar.</translation>
    </message>
    <message>
        <source>Print the periods kept in the history, oldest first, as CSV or JSON (--format csv|json); no running Zembrak needed.</source>
        <translation>Imprime os períodos guardados no histórico, do mais antigo ao mais recente, como CSV ou JSON (--format csv|json); não é preciso um Zembrak em execução.</translation>
    </message>
    <message>
        <source>Print one line a day, oldest first: the date, work periods finished and minutes of focus; no running Zembrak needed.</source>
        <translation>Imprime uma linha por dia, do mais antigo ao mais recente: a data, os períodos de trabalho concluídos e os minutos de foco; não é preciso um Zembrak em execução.</translation>
    </message>
    <message>
        <source>With --history or --stats: the periods that end after DATE (YYYY-MM-DD, local day, or an ISO 8601 date and time).</source>
        <translation>Com --history ou --stats: os períodos que terminam depois de DATA (AAAA-MM-DD, dia local, ou uma data e hora ISO 8601).</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATA</translation>
    </message>
    <message>
        <source>With --history: the periods that begin before the end of DATE.</source>
        <translation>Com --history: os períodos que começam antes do fim de DATA.</translation>
    </message>
    <message>
        <source>--format goes with --follow or --history.</source>
        <translation>--format é usado com --follow ou --history.</translation>
    </message>
    <message>
        <source>--format with --history is csv or json.</source>
        <translation>--format com --history é csv ou json.</translation>
    </message>
    <message>
        <source>--%1 goes with --history.</source>
        <translation>--%1 é usado com --history.</translation>
    </message>
    <message>
        <source>--%1: &apos;%2&apos; is no date (YYYY-MM-DD) or ISO 8601 date and time.</source>
        <translation>--%1: “%2” não é uma data (AAAA-MM-DD) nem uma data e hora ISO 8601.</translation>
    </message>
    <message>
        <source>could not write the history out.</source>
        <translation>não foi possível gravar o histórico.</translation>
    </message>
    <message>
        <source>Add SECONDS (given after it; 300 without) to the current period, running, paused or waiting.</source>
        <translation>Adicionar SEGUNDOS (informados depois; 300 se omitidos) ao período atual, em andamento, pausado ou aguardando.</translation>
    </message>
    <message>
        <source>--extend takes a number of seconds from 1 to %1 (9999:59:59).</source>
        <translation>--extend aceita um número de segundos de 1 a %1 (9999:59:59).</translation>
    </message>
    <message>
        <source>Print one line: state=active|inactive period=work|shortBreak|longBreak remaining=SECONDS cycles=N, and today=N goal=N with a daily goal.</source>
        <translation>Imprime uma linha: state=active|inactive period=work|shortBreak|longBreak remaining=SEGUNDOS cycles=N, e today=N goal=N com uma meta diária.</translation>
    </message>
    <message>
        <source>With --follow: plain lines from TEMPLATE, its {time}, {remaining}, {period}, {state}, {cycles}, {today} and {goal} filled in.</source>
        <translation>Com --follow: linhas simples a partir de MODELO, com {time}, {remaining}, {period}, {state}, {cycles}, {today} e {goal} preenchidos.</translation>
    </message>
</context>
<context>
    <name>DailyProgress</name>
    <message numerus="yes">
        <source>%1 of %n today</source>
        <translation>
            <numerusform>%1 de %n hoje</numerusform>
            <numerusform>%1 de %n hoje</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GlobalShortcuts</name>
    <message>
        <source>Taken by another application</source>
        <translation>Em uso por outro aplicativo</translation>
    </message>
    <message>
        <source>Not accepted by the desktop</source>
        <translation>Não aceito pelo ambiente de trabalho</translation>
    </message>
    <message>
        <source>No such key on this keyboard</source>
        <translation>Esta tecla não existe neste teclado</translation>
    </message>
    <message>
        <source>Global shortcuts are not available on this desktop</source>
        <translation>Atalhos globais não estão disponíveis neste ambiente de trabalho</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>cannot open the history %1: %2</source>
        <translation>não é possível abrir o histórico %1: %2</translation>
    </message>
    <message>
        <source>cannot make the folder %1 for the history</source>
        <translation>não é possível criar a pasta %1 para o histórico</translation>
    </message>
    <message>
        <source>cannot read the history %1: %2</source>
        <translation>não é possível ler o histórico %1: %2</translation>
    </message>
    <message>
        <source>the history %1 was written by a newer Zembrak; it is left alone</source>
        <translation>o histórico %1 foi gravado por um Zembrak mais recente; ele fica como está</translation>
    </message>
    <message>
        <source>cannot bring the history %1 up to date: %2</source>
        <translation>não é possível atualizar o histórico %1: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged and cannot be moved aside</source>
        <translation>o histórico %1 está danificado e não pode ser posto de lado</translation>
    </message>
    <message>
        <source>the history %1 was damaged; moved to %2, a new one started</source>
        <translation>o histórico %1 estava danificado; movido para %2, um novo foi iniciado</translation>
    </message>
    <message>
        <source>cannot write the history %1: %2</source>
        <translation>não é possível gravar o histórico %1: %2</translation>
    </message>
    <message>
        <source>cannot clear the history %1: %2</source>
        <translation>não é possível limpar o histórico %1: %2</translation>
    </message>
    <message>
        <source>the history %1 is damaged; Zembrak moves it aside when it next keeps a period</source>
        <translation>o histórico %1 está danificado; o Zembrak vai movê-lo quando registrar o próximo período</translation>
    </message>
    <message>
        <source>a period could not be kept in the history %1: %2 %3 from %4 to %5, planned %6 s, counted %7 s, task &quot;%8&quot;</source>
        <translation>um período não pôde ser guardado no histórico %1: %2 %3 de %4 a %5, previsto %6 s, contado %7 s, tarefa “%8”</translation>
    </message>
    <message numerus="yes">
        <source>%n period(s) could still be read from the damaged history and were kept</source>
        <translation>
            <numerusform>%n período ainda pôde ser lido do histórico danificado e foi guardado</numerusform>
            <numerusform>%n períodos ainda puderam ser lidos do histórico danificado e foram guardados</numerusform>
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
        <translation>Menu</translation>
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
        <translation>Redefinir</translation>
    </message>
</context>
<context>
    <name>KPShortcutWindow</name>
    <message>
        <source>Shortcut</source>
        <translation>Atalho</translation>
    </message>
</context>
<context>
    <name>KPSoundMenu</name>
    <message>
        <source>Sound Menu</source>
        <translation>Menu de sons</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nenhum</translation>
    </message>
</context>
<context>
    <name>KPTaskCyclesMenu</name>
    <message>
        <source>Increase Cycle Count</source>
        <translation>Aumentar contagem de ciclos</translation>
    </message>
    <message>
        <source>Decrease Cycle Count</source>
        <translation>Diminuir contagem de ciclos</translation>
    </message>
</context>
<context>
    <name>KPTaskList</name>
    <message>
        <source>Tasks</source>
        <translation>Tarefas</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
</context>
<context>
    <name>KPTaskTableModel</name>
    <message>
        <source>Completed</source>
        <translation>Concluída</translation>
    </message>
    <message>
        <source>Not Completed</source>
        <translation>Não concluída</translation>
    </message>
    <message>
        <source>Click to Edit</source>
        <translation>Clique para editar</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarefa</translation>
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
        <translation>Tarefa</translation>
    </message>
</context>
<context>
    <name>KPTimeDigits</name>
    <message>
        <source>%1 elapsed</source>
        <translation>Tempo decorrido: %1</translation>
    </message>
    <message>
        <source>%1 remaining</source>
        <translation>Tempo restante: %1</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
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
        <translation>Redefinir</translation>
    </message>
</context>
<context>
    <name>KPUtilityWindow</name>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>PeriodEndNotifier</name>
    <message>
        <source>Work period finished</source>
        <translation>Período de trabalho concluído</translation>
    </message>
    <message>
        <source>Break finished</source>
        <translation>Pausa concluída</translation>
    </message>
    <message>
        <source>work period</source>
        <translation>período de trabalho</translation>
    </message>
    <message>
        <source>short break</source>
        <translation>pausa curta</translation>
    </message>
    <message>
        <source>long break</source>
        <translation>pausa longa</translation>
    </message>
    <message>
        <source>Next: %1, %2</source>
        <translation>A seguir: %1, %2</translation>
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
        <translation>Período de trabalho concluído durante a ausência</translation>
    </message>
    <message>
        <source>Break ended while away</source>
        <translation>Pausa concluída durante a ausência</translation>
    </message>
    <message>
        <source>Resume the timer when you are back.</source>
        <translation>Retome o temporizador quando voltar.</translation>
    </message>
    <message>
        <source>Start Break</source>
        <translation>Iniciar pausa</translation>
    </message>
    <message>
        <source>Start Work</source>
        <translation>Iniciar trabalho</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Pular pausa</translation>
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
        <translation>Um período de trabalho está em andamento</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>Clear</source>
        <translation>Limpar</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Atalho</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt or Meta with this key</source>
        <translation>Segure Ctrl, Alt ou Meta com esta tecla</translation>
    </message>
    <message>
        <source>The shortcut could not be stored</source>
        <translation>Não foi possível salvar o atalho</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>took over %1, left by another machine where nothing answers</source>
        <translation>%1 assumido, deixado por outra máquina onde nada responde</translation>
    </message>
    <message>
        <source>cannot take the lock %1; starting without it, so a second copy is not kept from starting</source>
        <translation>não é possível pegar a trava %1; iniciando sem ela, então uma segunda cópia não é impedida de iniciar</translation>
    </message>
</context>
<context>
    <name>TopBarHint</name>
    <message>
        <source>Zembrak can show its time in the top bar</source>
        <translation>O Zembrak pode mostrar seu tempo na barra superior</translation>
    </message>
    <message>
        <source>Install and turn on the AppIndicator extension (Debian&apos;s package gnome-shell-extension-appindicator), then start Zembrak again.</source>
        <translation>Instale e ative a extensão AppIndicator (o pacote do Debian gnome-shell-extension-appindicator) e inicie o Zembrak de novo.</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Não foi possível ler as informações de atualização.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1).</source>
        <translation>O servidor de atualizações respondeu com um erro (HTTP %1).</translation>
    </message>
    <message>
        <source>%1 could not be reached. Are you offline?</source>
        <translation>Não foi possível acessar %1. Você está off-line?</translation>
    </message>
    <message>
        <source>The update server %1 is not taking connections; try again later.</source>
        <translation>O servidor de atualizações %1 não está aceitando conexões; tente novamente mais tarde.</translation>
    </message>
    <message>
        <source>The update server %1 did not answer in time.</source>
        <translation>O servidor de atualizações %1 não respondeu a tempo.</translation>
    </message>
    <message>
        <source>The connection to %1 is not secure; nothing was read.</source>
        <translation>A conexão com %1 não é segura; nada foi lido.</translation>
    </message>
    <message>
        <source>The update check failed: %1.</source>
        <translation>A verificação de atualizações falhou: %1.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Atualização de software</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Verificando atualizações…</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Você está atualizado.</translation>
    </message>
    <message>
        <source>Zembrak %1 is the newest version.</source>
        <translation>Zembrak %1 é a versão mais recente.</translation>
    </message>
    <message>
        <source>Zembrak %1 is available.</source>
        <translation>Zembrak %1 está disponível.</translation>
    </message>
    <message>
        <source>You have %1. &lt;a href=&quot;%2&quot;&gt;Download the new version&lt;/a&gt;.</source>
        <translation>Você tem a versão %1. &lt;a href=&quot;%2&quot;&gt;Baixar a nova versão&lt;/a&gt;.</translation>
    </message>
    <message>
        <source>Zembrak could not check for updates.</source>
        <translation>O Zembrak não pôde verificar atualizações.</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreen</name>
    <message>
        <source>Next: %1</source>
        <translation>A seguir: %1</translation>
    </message>
</context>
<context>
    <name>ZKBreakScreenPanel</name>
    <message>
        <source>Skip Break</source>
        <translation>Pular a pausa</translation>
    </message>
    <message>
        <source>Postpone 1 Minute</source>
        <translation>Adiar 1 minuto</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Tela de pausa</translation>
    </message>
    <message>
        <source>Escape closes it; the break goes on.</source>
        <translation>Esc fecha a tela; a pausa continua.</translation>
    </message>
</context>
<context>
    <name>ZKIdlePromptWindow</name>
    <message>
        <source>Welcome Back</source>
        <translation>Olá de novo</translation>
    </message>
    <message>
        <source>Keep as Work</source>
        <translation>Manter como trabalho</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Count the time away as work</source>
        <translation>Contar o tempo de ausência como trabalho</translation>
    </message>
    <message>
        <source>Give the time away back to the period</source>
        <translation>Devolver o tempo de ausência ao período</translation>
    </message>
    <message>
        <source>You were away 1 minute.</source>
        <translation>Você ficou ausente por 1 minuto.</translation>
    </message>
    <message>
        <source>You were away %1 minutes.</source>
        <translation>Você ficou ausente por %1 minutos.</translation>
    </message>
</context>
<context>
    <name>ZKMenu</name>
    <message>
        <source>Preferences Menu</source>
        <translation>Menu de preferências</translation>
    </message>
    <message>
        <source>Time Settings</source>
        <translation>Configurações de tempo</translation>
    </message>
    <message>
        <source>Edit Time</source>
        <translation>Editar tempo</translation>
    </message>
    <message>
        <source>Autohide Display</source>
        <translation>Ocultar indicador automaticamente</translation>
    </message>
    <message>
        <source>Small Display</source>
        <translation>Indicador pequeno</translation>
    </message>
    <message>
        <source>Show Seconds</source>
        <translation>Mostrar segundos</translation>
    </message>
    <message>
        <source>Show Cycle Count</source>
        <translation>Mostrar contagem de ciclos</translation>
    </message>
    <message>
        <source>Enable Ticking</source>
        <translation>Ativar tique-taque</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Som</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mais</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Iniciar ao entrar na sessão</translation>
    </message>
    <message>
        <source>Notify at Period End</source>
        <translation>Notificar ao fim de cada período</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Verificar atualizações</translation>
    </message>
    <message>
        <source>Questions/Problems/Suggestions</source>
        <translation>Perguntas/Problemas/Sugestões</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Estatísticas</translation>
    </message>
    <message>
        <source>Pause When Locked</source>
        <translation>Pausar ao bloquear</translation>
    </message>
    <message>
        <source>Ask After Idle</source>
        <translation>Perguntar após inatividade</translation>
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
        <translation>Desativado</translation>
    </message>
    <message>
        <source>Not available on this desktop</source>
        <translation>Não disponível neste ambiente de trabalho</translation>
    </message>
    <message>
        <source>+5 Minutes</source>
        <translation>+5 minutos</translation>
    </message>
    <message>
        <source>Start Breaks Automatically</source>
        <translation>Iniciar pausas automaticamente</translation>
    </message>
    <message>
        <source>Start Work Automatically</source>
        <translation>Iniciar trabalho automaticamente</translation>
    </message>
    <message>
        <source>Break Screen</source>
        <translation>Tela de pausa</translation>
    </message>
    <message>
        <source>Show Timer Window</source>
        <translation>Mostrar janela do temporizador</translation>
    </message>
    <message>
        <source>Daily Goal</source>
        <translation>Meta diária</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n período de trabalho</numerusform>
            <numerusform>%n períodos de trabalho</numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nenhuma</translation>
    </message>
    <message>
        <source>Silence Notifications During Work</source>
        <translation>Silenciar notificações durante o trabalho</translation>
    </message>
</context>
<context>
    <name>ZKPopover</name>
    <message>
        <source>Resume Timer</source>
        <translation>Retomar temporizador</translation>
    </message>
    <message>
        <source>Cycles Since Launch: %1</source>
        <translation>Ciclos desde o início: %1</translation>
    </message>
    <message>
        <source>Add New Task</source>
        <translation>Adicionar nova tarefa</translation>
    </message>
    <message>
        <source>Remove Selected Task</source>
        <translation>Remover tarefa selecionada</translation>
    </message>
    <message>
        <source>Move Up Selected Task</source>
        <translation>Mover tarefa selecionada para cima</translation>
    </message>
    <message>
        <source>Move Down Selected Task</source>
        <translation>Mover tarefa selecionada para baixo</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Pause Timer</source>
        <translation>Pausar temporizador</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Trabalho</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Pausa curta</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Pausa longa</translation>
    </message>
</context>
<context>
    <name>ZKStatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Estatísticas</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoje</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Esta semana</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Últimos 30 dias</translation>
    </message>
    <message>
        <source>Days shown</source>
        <translation>Dias exibidos</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarefa</translation>
    </message>
    <message>
        <source>Work Periods</source>
        <translation>Períodos de trabalho</translation>
    </message>
    <message>
        <source>Focused Time</source>
        <translation>Tempo de foco</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tarefas</translation>
    </message>
    <message>
        <source>Clear History…</source>
        <translation>Limpar histórico…</translation>
    </message>
    <message>
        <source>Work periods finished: %1</source>
        <translation>Períodos de trabalho concluídos: %1</translation>
    </message>
    <message>
        <source>Focused time: %1</source>
        <translation>Tempo de foco: %1</translation>
    </message>
    <message>
        <source>Breaks taken: %1</source>
        <translation>Pausas feitas: %1</translation>
    </message>
    <message>
        <source>Focused time per hour</source>
        <translation>Tempo de foco por hora</translation>
    </message>
    <message>
        <source>Focused time per day</source>
        <translation>Tempo de foco por dia</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Limpar histórico</translation>
    </message>
    <message>
        <source>Delete every recorded period? This cannot be undone.</source>
        <translation>Excluir todos os períodos registrados? Isso não pode ser desfeito.</translation>
    </message>
    <message>
        <source>The history could not be cleared.</source>
        <translation>Não foi possível limpar o histórico.</translation>
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
        <translation>Não foi possível ler o histórico.</translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n período de trabalho</numerusform>
            <numerusform>%n períodos de trabalho</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal: %1</source>
        <translation>Meta: %1</translation>
    </message>
    <message>
        <source>Work periods per day</source>
        <translation>Períodos de trabalho por dia</translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n days</source>
        <translation>
            <numerusform>Sequência atual: %n dia</numerusform>
            <numerusform>Sequência atual: %n dias</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Longest streak: %n days</source>
        <translation>
            <numerusform>Maior sequência: %n dia</numerusform>
            <numerusform>Maior sequência: %n dias</numerusform>
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
        <translation>Pular</translation>
    </message>
</context>
<context>
    <name>ZKTimeEditorWindow</name>
    <message>
        <source>Edit Time</source>
        <translation>Editar tempo</translation>
    </message>
</context>
<context>
    <name>ZKTimeSettingsWindow</name>
    <message>
        <source>Time Settings</source>
        <translation>Configurações de tempo</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Long Break Interval:</source>
        <translation>Intervalo da pausa longa:</translation>
    </message>
    <message>
        <source>Long Break Length:</source>
        <translation>Duração da pausa longa:</translation>
    </message>
    <message>
        <source>Short Break Length:</source>
        <translation>Duração da pausa curta:</translation>
    </message>
    <message>
        <source>Work Length:</source>
        <translation>Duração do trabalho:</translation>
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
        <translation>Nenhuma tarefa aberta</translation>
    </message>
    <message>
        <source>Current task: %1</source>
        <translation>Tarefa atual: %1</translation>
    </message>
</context>
<context>
    <name>ZKTimerWindow</name>
    <message>
        <source>Zembrak Timer</source>
        <translation>Temporizador do Zembrak</translation>
    </message>
    <message>
        <source>Keep on Top</source>
        <translation>Manter no topo</translation>
    </message>
    <message>
        <source>Hide Timer Window</source>
        <translation>Ocultar janela do temporizador</translation>
    </message>
</context>
</TS>
