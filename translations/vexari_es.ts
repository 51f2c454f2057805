<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>vexari::AboutDialog</name>
    <message>
        <source>Vexari version %1.%2.%3.%4</source>
        <translation>Vexari versión %1.%2.%3.%4</translation>
    </message>
    <message>
        <source>About Vexari</source>
        <translation>Acerca de Vexari</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>A falling-block puzzle game for one player,</source>
        <translation>Un juego de puzle de bloques que caen para un jugador,</translation>
    </message>
    <message>
        <source>for the computer and for friends on the network.</source>
        <translation>para el ordenador y para amigos en la red.</translation>
    </message>
    <message>
        <source>Keys, look and skill are set in the Options menu.</source>
        <translation>Las teclas, la apariencia y la dificultad se ajustan en el menú Opciones.</translation>
    </message>
    <message>
        <source>Free software under the &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License&lt;/a&gt;, version 3 or later.</source>
        <translation>Software libre bajo la &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;Licencia Pública General de GNU&lt;/a&gt;, versión 3 o posterior.</translation>
    </message>
</context>
<context>
    <name>vexari::CMainFrame</name>
    <message>
        <source>	Your receive scores:

    - for placing each figure - the faster you do it the more scores you get,
    - for each deleted line - the more lines you delete at once the more is the reward,
    - for bottom line popping.

If you play without next figure hint then you receive 30 % more scores.
Scores for deleted line and for bottom line depends on level.</source>
        <translation>	Recibes puntos:

    - por colocar cada pieza: cuanto más rápido lo hagas, más puntos obtienes,
    - por cada línea eliminada: cuantas más líneas elimines a la vez, mayor es la recompensa,
    - por las líneas que suben desde abajo.

Si juegas sin ver la pieza siguiente, recibes un 30&#xa0;% más de puntos.
Los puntos por línea eliminada y por línea de abajo dependen del nivel.</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Juego</translation>
    </message>
    <message>
        <source>&amp;New Game	F2</source>
        <translation>&amp;Nueva partida	F2</translation>
    </message>
    <message>
        <source>&amp;High Score</source>
        <translation>&amp;Récords</translation>
    </message>
    <message>
        <source>&amp;Demo</source>
        <translation>&amp;Demostración</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Network</source>
        <translation>&amp;Red</translation>
    </message>
    <message>
        <source>&amp;Create network game...</source>
        <translation>&amp;Crear partida en red...</translation>
    </message>
    <message>
        <source>&amp;Join network game...</source>
        <translation>&amp;Unirse a partida en red...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>&amp;Design...</source>
        <translation>&amp;Apariencia...</translation>
    </message>
    <message>
        <source>&amp;Skill...</source>
        <translation>&amp;Dificultad...</translation>
    </message>
    <message>
        <source>&amp;Demo parameters ...</source>
        <translation>&amp;Parámetros de la demo...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Keyboard...</source>
        <translation>&amp;Teclado...</translation>
    </message>
    <message>
        <source>&amp;Scoring...</source>
        <translation>&amp;Puntuación...</translation>
    </message>
    <message>
        <source>&amp;About Vexari...</source>
        <translation>&amp;Acerca de Vexari...</translation>
    </message>
    <message>
        <source>Scoring principles</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Hmm, what did you expect to see here?</source>
        <translation>Mmm, ¿qué esperabas ver aquí?</translation>
    </message>
    <message>
        <source>&amp;Next figure</source>
        <translation>Pieza &amp;siguiente</translation>
    </message>
    <message>
        <source>&amp;Design and Keyboard...</source>
        <translation>&amp;Apariencia y teclado...</translation>
    </message>
    <message>
        <source>&amp;Replays...</source>
        <translation>&amp;Grabaciones...</translation>
    </message>
    <message>
        <source>Leave the network game to watch a replay.</source>
        <translation>Abandona la partida en red para ver una grabación.</translation>
    </message>
    <message>
        <source>The replay %1 cannot be played:
%2</source>
        <translation>La grabación %1 no se puede reproducir:
%2</translation>
    </message>
    <message>
        <source>S&amp;ound...</source>
        <translation>&amp;Sonido...</translation>
    </message>
    <message>
        <source>&amp;Mute	Ctrl+M</source>
        <translation>Si&amp;lenciar	Ctrl+M</translation>
    </message>
    <message>
        <source>Play against the &amp;computer...</source>
        <translation>Jugar contra el &amp;ordenador...</translation>
    </message>
    <message>
        <source>&amp;Watch network game...</source>
        <translation>&amp;Ver partida en red...</translation>
    </message>
    <message>
        <source>Spectator</source>
        <translation>Espectador</translation>
    </message>
</context>
<context>
    <name>vexari::ComputerMatch</name>
    <message>
        <source>The computer players cannot start: %1 is not installed beside this program.</source>
        <translation>Los jugadores del ordenador no pueden empezar: %1 no está instalado junto a este programa.</translation>
    </message>
    <message>
        <source>The computer players cannot start.</source>
        <translation>Los jugadores del ordenador no pueden empezar.</translation>
    </message>
    <message>
        <source>A computer player could not join the game.</source>
        <translation>Un jugador del ordenador no ha podido unirse a la partida.</translation>
    </message>
</context>
<context>
    <name>vexari::ComputerWeightsDialog</name>
    <message>
        <source>Cannot open this file</source>
        <translation>No se puede abrir este archivo</translation>
    </message>
    <message>
        <source>Not to make new holes</source>
        <translation>No crear huecos nuevos</translation>
    </message>
    <message>
        <source>To shovel away old holes</source>
        <translation>Despejar los huecos antiguos</translation>
    </message>
    <message>
        <source>To place figures with maximum cohesion with relief</source>
        <translation>Colocar las piezas con el máximo contacto con el relieve</translation>
    </message>
    <message>
        <source>Not to make long one-element gaps</source>
        <translation>No dejar huecos largos de una casilla</translation>
    </message>
    <message>
        <source>Not to make long two-element gaps</source>
        <translation>No dejar huecos largos de dos casillas</translation>
    </message>
    <message>
        <source>To make smooth surface</source>
        <translation>Dejar una superficie lisa</translation>
    </message>
    <message>
        <source>To place figures lower</source>
        <translation>Colocar las piezas lo más abajo posible</translation>
    </message>
    <message>
        <source>To remove more than one line in once</source>
        <translation>Eliminar varias líneas a la vez</translation>
    </message>
    <message>
        <source>Demo parameters files (*.dem)</source>
        <translation>Archivos de parámetros de demo (*.dem)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>Demo parameters</source>
        <translation>Parámetros de la demo</translation>
    </message>
    <message>
        <source>In demo mode computer tries to satisfy certain criteria. You can tell him the importance of each criterion by modifying this numbers:</source>
        <translation>En el modo demo el ordenador intenta cumplir ciertos criterios. Puedes indicarle la importancia de cada criterio cambiando estos números:</translation>
    </message>
    <message>
        <source>Try</source>
        <translation>Objetivos</translation>
    </message>
    <message>
        <source>&quot;Learn from me&quot; mode (in this mode computer will try to compute this numbers from your play)</source>
        <translation>Modo «Aprender de mí» (el ordenador intentará calcular estos números a partir de tu juego)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
</context>
<context>
    <name>vexari::DesignDialog</name>
    <message>
        <source>You have defined the same keys for different operations. Please correct.</source>
        <translation>Has asignado las mismas teclas a acciones distintas. Corrígelo, por favor.</translation>
    </message>
    <message>
        <source>Design Options</source>
        <translation>Apariencia y teclado</translation>
    </message>
    <message>
        <source>&amp;Left Key</source>
        <translation>Tecla &amp;izquierda</translation>
    </message>
    <message>
        <source>&amp;Right Key</source>
        <translation>Tecla &amp;derecha</translation>
    </message>
    <message>
        <source>Ro&amp;tate Key</source>
        <translation>Tecla de &amp;rotación</translation>
    </message>
    <message>
        <source>Rotate Ke&amp;y</source>
        <translation>&amp;Segunda tecla de rotación</translation>
    </message>
    <message>
        <source>&amp;Drop Key</source>
        <translation>Tecla de &amp;caída</translation>
    </message>
    <message>
        <source>&amp;Accelerate Key</source>
        <translation>Tecla de &amp;aceleración</translation>
    </message>
    <message>
        <source>Show/Hide Next Figure - &quot;1&quot; or &quot;Tab&quot;</source>
        <translation>Mostrar/ocultar la pieza siguiente: «1» o «Tab»</translation>
    </message>
    <message>
        <source>Pause - &quot;Esc&quot;</source>
        <translation>Pausa: «Esc»</translation>
    </message>
    <message>
        <source>Mayday - &quot;Esc&quot; twice</source>
        <translation>Pánico: «Esc» dos veces</translation>
    </message>
    <message>
        <source>Continue - &quot;Enter&quot;</source>
        <translation>Continuar: «Intro»</translation>
    </message>
    <message>
        <source>New Game  - &quot;F2&quot;</source>
        <translation>Nueva partida: «F2»</translation>
    </message>
    <message>
        <source>Background strokes</source>
        <translation>Marcas del fondo</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Ninguna</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>&amp;Blanca</translation>
    </message>
    <message>
        <source>B&amp;lac&amp;k</source>
        <translation>Ne&amp;gra</translation>
    </message>
    <message>
        <source>&amp;Inverted</source>
        <translation>In&amp;vertida</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervalo</translation>
    </message>
    <message>
        <source>&amp;Color pieces</source>
        <translation>Piezas en c&amp;olor</translation>
    </message>
    <message>
        <source>An&amp;imate details</source>
        <translation>Ani&amp;mar detalles</translation>
    </message>
    <message>
        <source>Background bitmap:</source>
        <translation>Imagen de fondo:</translation>
    </message>
    <message>
        <source>Current bitmap:</source>
        <translation>Imagen actual:</translation>
    </message>
    <message>
        <source>&amp;Black</source>
        <translation>&amp;Fondo negro</translation>
    </message>
    <message>
        <source>&amp;Select ...</source>
        <translation>&amp;Elegir...</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>O&amp;K</translation>
    </message>
    <message>
        <source>Canc&amp;el</source>
        <translation>Cance&amp;lar</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Archivos de mapa de bits (*.bmp)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>The path of this file is too long: at most %1 characters can be kept.</source>
        <translation>La ruta de este archivo es demasiado larga: se pueden guardar como máximo %1 caracteres.</translation>
    </message>
    <message>
        <source>Cannon read bitmap file %1.Please change the file pathname or set backround to BLACK</source>
        <translation>No se puede leer el archivo de imagen %1. Cambia la ruta del archivo o pon el fondo en NEGRO.</translation>
    </message>
    <message>
        <source>Colours for colour-blind &amp;players</source>
        <translation>Colores &amp;para daltónicos</translation>
    </message>
    <message>
        <source>&amp;Mark figures with letters</source>
        <translation>Marcar las piezas con le&amp;tras</translation>
    </message>
    <message>
        <source>Show the landin&amp;g place</source>
        <translation>Mostrar el l&amp;ugar de aterrizaje</translation>
    </message>
</context>
<context>
    <name>vexari::FirstRun</name>
    <message>
        <source>It is the first time you run Vexari. Do you want to configure it now (otherwise it will use default values)?</source>
        <translation>Es la primera vez que ejecutas Vexari. ¿Quieres configurarlo ahora (si no, usará los valores predeterminados)?</translation>
    </message>
</context>
<context>
    <name>vexari::GameAccessible</name>
    <message>
        <source>Waiting for the start, stack %1 of %2 rows</source>
        <translation>Esperando el inicio, pila de %1 de %2 filas</translation>
    </message>
    <message>
        <source>Paused, stack %1 of %2 rows</source>
        <translation>En pausa, pila de %1 de %2 filas</translation>
    </message>
    <message>
        <source>Figure %1 in column %2, stack %3 of %4 rows</source>
        <translation>Pieza %1 en la columna %2, pila de %3 de %4 filas</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>oculta</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>ninguna todavía</translation>
    </message>
    <message>
        <source>Score %1, level %2, lines %3, next figure %4</source>
        <translation>Puntos %1, nivel %2, líneas %3, pieza siguiente %4</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partida</translation>
    </message>
    <message>
        <source>Well</source>
        <translation>Pozo</translation>
    </message>
    <message>
        <source>Next figure</source>
        <translation>Pieza siguiente</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Líneas</translation>
    </message>
</context>
<context>
    <name>vexari::GameOptionsDialog</name>
    <message>
        <source>Game options</source>
        <translation>Opciones de juego</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altura</translation>
    </message>
    <message>
        <source>&amp;Pop in lines</source>
        <translation>&amp;Líneas desde abajo</translation>
    </message>
    <message>
        <source>&amp;Increase level during the game</source>
        <translation>&amp;Subir de nivel durante la partida</translation>
    </message>
    <message>
        <source>Start Level:</source>
        <translation>Nivel inicial:</translation>
    </message>
    <message>
        <source>O&amp;k</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>vexari::GameView</name>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>... Press ENTER to play ...</source>
        <translation>... Pulsa INTRO para jugar ...</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Líneas</translation>
    </message>
    <message>
        <source>How the last figure landed</source>
        <translation>Cómo aterrizó la última pieza</translation>
    </message>
    <message>
        <source>... Press ESC to pause ...</source>
        <translation>... Pulsa ESC para pausar ...</translation>
    </message>
</context>
<context>
    <name>vexari::HighScoreDialog</name>
    <message>
        <source>Do you really want to reset high score table</source>
        <translation>¿De verdad quieres reiniciar la tabla de récords?</translation>
    </message>
    <message>
        <source>Reseting table</source>
        <translation>Reiniciar la tabla</translation>
    </message>
    <message>
        <source>High Score</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>H I G H   S C O R E S</source>
        <translation>R É C O R D S</translation>
    </message>
    <message>
        <source>O&amp;k</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Reiniciar</translation>
    </message>
    <message>
        <source>New High Score</source>
        <translation>Nuevo récord</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Escribe tu nombre:</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>The replay cannot be read: %1</source>
        <translation>No se puede leer la grabación: %1</translation>
    </message>
    <message>
        <source>A replay proves this score: double-click or Watch to see it</source>
        <translation>Una grabación demuestra esta puntuación: haz doble clic o pulsa Ver para verla</translation>
    </message>
    <message>
        <source>The replay makes another score</source>
        <translation>La grabación da otra puntuación</translation>
    </message>
    <message>
        <source>The replay does not prove this score: %1</source>
        <translation>La grabación no demuestra esta puntuación: %1</translation>
    </message>
</context>
<context>
    <name>vexari::JoinDialog</name>
    <message>
        <source>Attention! If you start &quot;Your name&quot; with &quot;Comp&quot;, then the computer will play for you. Digit right after &quot;Comp&quot; will be computer speed.</source>
        <translation>¡Atención! Si «Tu nombre» empieza por «Comp», el ordenador jugará por ti. La cifra justo después de «Comp» será su velocidad.</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Partida en red</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Tu nombre</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Equipo</translation>
    </message>
    <message>
        <source>Connect to</source>
        <translation>Conectar a</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
</context>
<context>
    <name>vexari::LevelBar</name>
    <message>
        <source>Starting level: %1</source>
        <translation>Nivel inicial: %1</translation>
    </message>
</context>
<context>
    <name>vexari::MatchDialog</name>
    <message>
        <source>Play against the computer</source>
        <translation>Jugar contra el ordenador</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminados</translation>
    </message>
    <message>
        <source>Strong (tuned)</source>
        <translation>Fuertes (ajustados)</translation>
    </message>
    <message>
        <source>Computer &amp;opponents:</source>
        <translation>&amp;Rivales del ordenador:</translation>
    </message>
    <message>
        <source>Their &amp;speed (%1-%2):</source>
        <translation>Su &amp;velocidad (%1-%2):</translation>
    </message>
    <message>
        <source>Their &amp;weights:</source>
        <translation>Sus &amp;pesos:</translation>
    </message>
    <message>
        <source>Teams</source>
        <translation>Equipos</translation>
    </message>
    <message>
        <source>&amp;You alone against all</source>
        <translation>&amp;Tú solo contra todos</translation>
    </message>
    <message>
        <source>You and a computer &amp;team mate against the rest</source>
        <translation>Tú y un &amp;compañero del ordenador contra el resto</translation>
    </message>
    <message>
        <source>&amp;Every one for himself</source>
        <translation>Cada &amp;uno por su cuenta</translation>
    </message>
    <message>
        <source>&amp;Network options...</source>
        <translation>&amp;Opciones de red...</translation>
    </message>
</context>
<context>
    <name>vexari::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkGameWindow</name>
    <message>
        <source>You cannot play with yourself!</source>
        <translation>¡No puedes jugar contra ti mismo!</translation>
    </message>
    <message>
        <source>Network Game</source>
        <translation>Partida en red</translation>
    </message>
    <message>
        <source>Start game</source>
        <translation>Empezar partida</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Jugador</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Equipo</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altura</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkOptionsDialog</name>
    <message>
        <source>Please enter a whole number that is not negative.</source>
        <translation>Escribe un número entero que no sea negativo.</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
    </message>
    <message>
        <source>Most strong</source>
        <translation>El más fuerte</translation>
    </message>
    <message>
        <source>Most weak</source>
        <translation>El más débil</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Al azar</translation>
    </message>
    <message>
        <source>Random dispatch</source>
        <translation>Reparto al azar</translation>
    </message>
    <message>
        <source>Network game options</source>
        <translation>Opciones de la partida en red</translation>
    </message>
    <message>
        <source>In the team throw to player</source>
        <translation>En el equipo, enviar al jugador</translation>
    </message>
    <message>
        <source>Throw to team</source>
        <translation>Enviar al equipo</translation>
    </message>
    <message>
        <source>Send trace messages</source>
        <translation>Enviar mensajes de traza</translation>
    </message>
    <message>
        <source>Player win scores</source>
        <translation>Puntos por victoria de jugador</translation>
    </message>
    <message>
        <source>Team win scores</source>
        <translation>Puntos por victoria de equipo</translation>
    </message>
    <message>
        <source>Play till</source>
        <translation>Jugar hasta</translation>
    </message>
    <message>
        <source>scores</source>
        <translation>puntos</translation>
    </message>
    <message>
        <source>Start in</source>
        <translation>Empezar en</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>segundos</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altura</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkSession</name>
    <message>
        <source>Error accepting socket</source>
        <translation>Error al aceptar la conexión</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Cannot create server socket</source>
        <translation>No se puede crear el socket del servidor</translation>
    </message>
    <message>
        <source>Error connecting to server</source>
        <translation>Error al conectar con el servidor</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Jugador</translation>
    </message>
</context>
<context>
    <name>vexari::OthersWells</name>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Mostrar:</translation>
    </message>
    <message>
        <source>Highest wells</source>
        <translation>Pozos más altos</translation>
    </message>
    <message>
        <source>My team first</source>
        <translation>Mi equipo primero</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
    </message>
</context>
<context>
    <name>vexari::PadSettingsBox</name>
    <message>
        <source>Gamepad</source>
        <translation>Mando</translation>
    </message>
    <message>
        <source>Repeat a&amp;fter</source>
        <translation>Espera &amp;hasta repetir</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>per second</source>
        <translation>por segundo</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Nada</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Girar</translation>
    </message>
    <message>
        <source>Rotate back</source>
        <translation>Girar al revés</translation>
    </message>
    <message>
        <source>Drop</source>
        <translation>Dejar caer</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>Acelerar</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Botón %1</translation>
    </message>
    <message>
        <source>Re&amp;peat rate</source>
        <translation>Ritmo de re&amp;petición</translation>
    </message>
    <message>
        <source>D-pad and left stick move, up drops,</source>
        <translation>La cruceta y el stick izquierdo mueven,</translation>
    </message>
    <message>
        <source>down speeds the fall.</source>
        <translation>arriba deja caer, abajo acelera la caída.</translation>
    </message>
    <message>
        <source>Start continues, Back pauses.</source>
        <translation>Start continúa, Back pausa.</translation>
    </message>
</context>
<context>
    <name>vexari::Prompts</name>
    <message>
        <source>Value must be between %1 and %2</source>
        <translation>El valor debe estar entre %1 y %2</translation>
    </message>
    <message>
        <source>Please enter a whole number.</source>
        <translation>Escribe un número entero.</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>No se puede crear la carpeta %1: %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>No se puede guardar %1: %2</translation>
    </message>
</context>
<context>
    <name>vexari::ReplayViewer</name>
    <message>
        <source>paused</source>
        <translation>en pausa</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>the end, verified</source>
        <translation>fin, verificada</translation>
    </message>
    <message>
        <source>does not verify: %1</source>
        <translation>no verificada: %1</translation>
    </message>
    <message>
        <source>Vexari - replay of %1, %2 - %3</source>
        <translation>Vexari - grabación de %1, %2 - %3</translation>
    </message>
    <message>
        <source>Space pause, 1 2 4 6 speed, Right one figure, End skip, other keys leave</source>
        <translation>Espacio pausa, 1 2 4 6 velocidad, Derecha una figura, Fin hasta el final, otras teclas salen</translation>
    </message>
    <message>
        <source>REPLAY: VERIFIED</source>
        <translation>GRABACIÓN: VERIFICADA</translation>
    </message>
    <message>
        <source>REPLAY: NOT VERIFIED</source>
        <translation>GRABACIÓN: NO VERIFICADA</translation>
    </message>
    <message>
        <source>REPLAY PAUSED</source>
        <translation>GRABACIÓN EN PAUSA</translation>
    </message>
    <message>
        <source>REPLAY %1×</source>
        <translation>GRABACIÓN %1×</translation>
    </message>
    <message>
        <source>a player without a name</source>
        <translation>un jugador sin nombre</translation>
    </message>
</context>
<context>
    <name>vexari::ReplaysDialog</name>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Demo</source>
        <translation>Demostración</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Individual</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Grabaciones</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Jugador</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Líneas</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altura</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partida</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>ilegible</translation>
    </message>
    <message>
        <source>No games have been recorded yet.</source>
        <translation>Todavía no se ha grabado ninguna partida.</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
</context>
<context>
    <name>vexari::SoundDialog</name>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>&amp;Sound effects</source>
        <translation>&amp;Efectos de sonido</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volumen:</translation>
    </message>
    <message>
        <source>&amp;Click on moves and turns</source>
        <translation>&amp;Clic al mover y girar</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>vexari::SpectatorWindow</name>
    <message>
        <source>Watching %1 - Vexari</source>
        <translation>Viendo %1 - Vexari</translation>
    </message>
    <message>
        <source>&amp;Leave</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>vexari::WatchDialog</name>
    <message>
        <source>Watch network game</source>
        <translation>Ver partida en red</translation>
    </message>
    <message>
        <source>Your &amp;name</source>
        <translation>Tu &amp;nombre</translation>
    </message>
    <message>
        <source>&amp;Server (host:port)</source>
        <translation>&amp;Servidor (host:puerto)</translation>
    </message>
    <message>
        <source>You see every player&apos;s well, the tables and the chat, and never play.</source>
        <translation>Ves el pozo de cada jugador, las tablas y el chat, y nunca juegas.</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Escribe tu nombre.</translation>
    </message>
    <message>
        <source>Please enter the server as HOST or HOST:PORT.</source>
        <translation>Escribe el servidor como HOST o HOST:PUERTO.</translation>
    </message>
</context>
<context>
    <name>vexari::WatchSession</name>
    <message>
        <source>This server cannot be watched: it does not take spectators.</source>
        <translation>No se puede ver este servidor: no admite espectadores.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Conectando con %1...</translation>
    </message>
</context>
<context>
    <name>vexari::WellGrid</name>
    <message>
        <source>Nobody is playing yet.</source>
        <translation>Todavía no juega nadie.</translation>
    </message>
</context>
<context>
    <name>vexari::WellTile</name>
    <message>
        <source>your team</source>
        <translation>tu equipo</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>FUERA</translation>
    </message>
</context>
<context>
    <name>vexari::main</name>
    <message>
        <source>No ver inf</source>
        <translation>Sin información de versión</translation>
    </message>
    <message>
        <source>Exe name</source>
        <translation>Nombre del programa</translation>
    </message>
</context>
</TS>
