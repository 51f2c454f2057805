<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>vexari::AboutDialog</name>
    <message>
        <source>Vexari version %1.%2.%3.%4</source>
        <translation>Vexari Version %1.%2.%3.%4</translation>
    </message>
    <message>
        <source>About Vexari</source>
        <translation>Über Vexari</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>A falling-block puzzle game for one player,</source>
        <translation>Ein Puzzlespiel mit fallenden Steinen für einen Spieler,</translation>
    </message>
    <message>
        <source>for the computer and for friends on the network.</source>
        <translation>für den Computer und für Freunde im Netzwerk.</translation>
    </message>
    <message>
        <source>Keys, look and skill are set in the Options menu.</source>
        <translation>Tasten, Aussehen und Schwierigkeit stellen Sie im Menü Optionen ein.</translation>
    </message>
    <message>
        <source>Free software under the &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License&lt;/a&gt;, version 3 or later.</source>
        <translation>Freie Software unter der &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License&lt;/a&gt;, Version 3 oder später.</translation>
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
        <translation>	Sie erhalten Punkte:

    - für das Setzen jeder Figur – je schneller, desto mehr Punkte,
    - für jede gelöschte Zeile – je mehr Zeilen auf einmal, desto höher die Belohnung,
    - für Zeilen, die von unten hereingeschoben werden.

Wenn Sie ohne Anzeige der nächsten Figur spielen, erhalten Sie 30&#xa0;% mehr Punkte.
Die Punkte für gelöschte Zeilen und für Zeilen von unten hängen vom Level ab.</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;New Game	F2</source>
        <translation>&amp;Neues Spiel	F2</translation>
    </message>
    <message>
        <source>&amp;High Score</source>
        <translation>&amp;Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Demo</source>
        <translation>&amp;Demo</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Network</source>
        <translation>&amp;Netzwerk</translation>
    </message>
    <message>
        <source>&amp;Create network game...</source>
        <translation>Netzwerkspiel &amp;eröffnen...</translation>
    </message>
    <message>
        <source>&amp;Join network game...</source>
        <translation>Netzwerkspiel &amp;beitreten...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Design...</source>
        <translation>&amp;Aussehen...</translation>
    </message>
    <message>
        <source>&amp;Skill...</source>
        <translation>&amp;Schwierigkeit...</translation>
    </message>
    <message>
        <source>&amp;Demo parameters ...</source>
        <translation>&amp;Demo-Parameter...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard...</source>
        <translation>&amp;Tastatur...</translation>
    </message>
    <message>
        <source>&amp;Scoring...</source>
        <translation>&amp;Punktwertung...</translation>
    </message>
    <message>
        <source>&amp;About Vexari...</source>
        <translation>Ü&amp;ber Vexari...</translation>
    </message>
    <message>
        <source>Scoring principles</source>
        <translation>Punktwertung</translation>
    </message>
    <message>
        <source>Hmm, what did you expect to see here?</source>
        <translation>Hm, was hatten Sie hier erwartet?</translation>
    </message>
    <message>
        <source>&amp;Next figure</source>
        <translation>&amp;Nächste Figur</translation>
    </message>
    <message>
        <source>&amp;Design and Keyboard...</source>
        <translation>&amp;Aussehen und Tastatur...</translation>
    </message>
    <message>
        <source>&amp;Replays...</source>
        <translation>&amp;Aufzeichnungen...</translation>
    </message>
    <message>
        <source>Leave the network game to watch a replay.</source>
        <translation>Verlassen Sie das Netzwerkspiel, um eine Aufzeichnung anzusehen.</translation>
    </message>
    <message>
        <source>The replay %1 cannot be played:
%2</source>
        <translation>Die Aufzeichnung %1 kann nicht abgespielt werden:
%2</translation>
    </message>
    <message>
        <source>S&amp;ound...</source>
        <translation>&amp;Ton...</translation>
    </message>
    <message>
        <source>&amp;Mute	Ctrl+M</source>
        <translation>St&amp;ummschalten	Strg+M</translation>
    </message>
    <message>
        <source>Play against the &amp;computer...</source>
        <translation>Gegen den &amp;Computer spielen...</translation>
    </message>
    <message>
        <source>&amp;Watch network game...</source>
        <translation>Netzwerkspiel &amp;zuschauen...</translation>
    </message>
    <message>
        <source>Spectator</source>
        <translation>Zuschauer</translation>
    </message>
</context>
<context>
    <name>vexari::ComputerMatch</name>
    <message>
        <source>The computer players cannot start: %1 is not installed beside this program.</source>
        <translation>Die Computerspieler können nicht starten: %1 ist nicht neben diesem Programm installiert.</translation>
    </message>
    <message>
        <source>The computer players cannot start.</source>
        <translation>Die Computerspieler können nicht starten.</translation>
    </message>
    <message>
        <source>A computer player could not join the game.</source>
        <translation>Ein Computerspieler konnte dem Spiel nicht beitreten.</translation>
    </message>
</context>
<context>
    <name>vexari::ComputerWeightsDialog</name>
    <message>
        <source>Cannot open this file</source>
        <translation>Diese Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Not to make new holes</source>
        <translation>Keine neuen Löcher bilden</translation>
    </message>
    <message>
        <source>To shovel away old holes</source>
        <translation>Alte Löcher freiräumen</translation>
    </message>
    <message>
        <source>To place figures with maximum cohesion with relief</source>
        <translation>Figuren mit größtem Kontakt zum Relief setzen</translation>
    </message>
    <message>
        <source>Not to make long one-element gaps</source>
        <translation>Keine langen, einfach breiten Lücken</translation>
    </message>
    <message>
        <source>Not to make long two-element gaps</source>
        <translation>Keine langen, doppelt breiten Lücken</translation>
    </message>
    <message>
        <source>To make smooth surface</source>
        <translation>Glatte Oberfläche bilden</translation>
    </message>
    <message>
        <source>To place figures lower</source>
        <translation>Figuren möglichst tief setzen</translation>
    </message>
    <message>
        <source>To remove more than one line in once</source>
        <translation>Mehrere Zeilen auf einmal löschen</translation>
    </message>
    <message>
        <source>Demo parameters files (*.dem)</source>
        <translation>Demo-Parameterdateien (*.dem)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Demo parameters</source>
        <translation>Demo-Parameter</translation>
    </message>
    <message>
        <source>In demo mode computer tries to satisfy certain criteria. You can tell him the importance of each criterion by modifying this numbers:</source>
        <translation>Im Demo-Modus versucht der Computer, bestimmte Ziele zu erreichen. Mit diesen Zahlen legen Sie fest, wie wichtig ihm jedes Ziel ist:</translation>
    </message>
    <message>
        <source>Try</source>
        <translation>Ziele</translation>
    </message>
    <message>
        <source>&quot;Learn from me&quot; mode (in this mode computer will try to compute this numbers from your play)</source>
        <translation>Modus „Von mir lernen“ (der Computer versucht dann, diese Zahlen aus Ihrem Spiel zu ermitteln)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>vexari::DesignDialog</name>
    <message>
        <source>You have defined the same keys for different operations. Please correct.</source>
        <translation>Sie haben dieselbe Taste für verschiedene Aktionen festgelegt. Bitte korrigieren Sie das.</translation>
    </message>
    <message>
        <source>Design Options</source>
        <translation>Aussehen und Tastatur</translation>
    </message>
    <message>
        <source>&amp;Left Key</source>
        <translation>&amp;Links-Taste</translation>
    </message>
    <message>
        <source>&amp;Right Key</source>
        <translation>&amp;Rechts-Taste</translation>
    </message>
    <message>
        <source>Ro&amp;tate Key</source>
        <translation>Dreh-&amp;Taste</translation>
    </message>
    <message>
        <source>Rotate Ke&amp;y</source>
        <translation>&amp;Zweite Dreh-Taste</translation>
    </message>
    <message>
        <source>&amp;Drop Key</source>
        <translation>&amp;Fall-Taste</translation>
    </message>
    <message>
        <source>&amp;Accelerate Key</source>
        <translation>Beschleuni&amp;gungs-Taste</translation>
    </message>
    <message>
        <source>Show/Hide Next Figure - &quot;1&quot; or &quot;Tab&quot;</source>
        <translation>Nächste Figur zeigen/verbergen – „1“ oder „Tab“</translation>
    </message>
    <message>
        <source>Pause - &quot;Esc&quot;</source>
        <translation>Pause – „Esc“</translation>
    </message>
    <message>
        <source>Mayday - &quot;Esc&quot; twice</source>
        <translation>Notfall – zweimal „Esc“</translation>
    </message>
    <message>
        <source>Continue - &quot;Enter&quot;</source>
        <translation>Weiter – „Eingabe“</translation>
    </message>
    <message>
        <source>New Game  - &quot;F2&quot;</source>
        <translation>Neues Spiel – „F2“</translation>
    </message>
    <message>
        <source>Background strokes</source>
        <translation>Markierungen im Hintergrund</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Keine</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>&amp;Weiß</translation>
    </message>
    <message>
        <source>B&amp;lac&amp;k</source>
        <translation>&amp;Schwarz</translation>
    </message>
    <message>
        <source>&amp;Inverted</source>
        <translation>&amp;Invertiert</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>&amp;Color pieces</source>
        <translation>F&amp;arbige Steine</translation>
    </message>
    <message>
        <source>An&amp;imate details</source>
        <translation>Details an&amp;imieren</translation>
    </message>
    <message>
        <source>Background bitmap:</source>
        <translation>Hintergrundbild:</translation>
    </message>
    <message>
        <source>Current bitmap:</source>
        <translation>Aktuelles Bild:</translation>
    </message>
    <message>
        <source>&amp;Black</source>
        <translation>S&amp;chwarz</translation>
    </message>
    <message>
        <source>&amp;Select ...</source>
        <translation>A&amp;uswählen ...</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Canc&amp;el</source>
        <translation>A&amp;bbrechen</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Bitmap-Dateien (*.bmp)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>The path of this file is too long: at most %1 characters can be kept.</source>
        <translation>Der Pfad dieser Datei ist zu lang: Höchstens %1 Zeichen können gespeichert werden.</translation>
    </message>
    <message>
        <source>Cannon read bitmap file %1.Please change the file pathname or set backround to BLACK</source>
        <translation>Die Bilddatei %1 kann nicht gelesen werden. Bitte ändern Sie den Dateipfad oder stellen Sie den Hintergrund auf SCHWARZ.</translation>
    </message>
    <message>
        <source>Colours for colour-blind &amp;players</source>
        <translation>Farb&amp;en für Farbfehlsichtige</translation>
    </message>
    <message>
        <source>&amp;Mark figures with letters</source>
        <translation>Figuren mit Buchstaben &amp;markieren</translation>
    </message>
    <message>
        <source>Show the landin&amp;g place</source>
        <translation>Lan&amp;deplatz zeigen</translation>
    </message>
</context>
<context>
    <name>vexari::FirstRun</name>
    <message>
        <source>It is the first time you run Vexari. Do you want to configure it now (otherwise it will use default values)?</source>
        <translation>Sie starten Vexari zum ersten Mal. Möchten Sie es jetzt einrichten (sonst gelten die Standardwerte)?</translation>
    </message>
</context>
<context>
    <name>vexari::GameAccessible</name>
    <message>
        <source>Waiting for the start, stack %1 of %2 rows</source>
        <translation>Wartet auf den Start, Stapel %1 von %2 Zeilen</translation>
    </message>
    <message>
        <source>Paused, stack %1 of %2 rows</source>
        <translation>Pause, Stapel %1 von %2 Zeilen</translation>
    </message>
    <message>
        <source>Figure %1 in column %2, stack %3 of %4 rows</source>
        <translation>Figur %1 in Spalte %2, Stapel %3 von %4 Zeilen</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>verborgen</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>noch keine</translation>
    </message>
    <message>
        <source>Score %1, level %2, lines %3, next figure %4</source>
        <translation>Punkte %1, Level %2, Zeilen %3, nächste Figur %4</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Well</source>
        <translation>Schacht</translation>
    </message>
    <message>
        <source>Next figure</source>
        <translation>Nächste Figur</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
</context>
<context>
    <name>vexari::GameOptionsDialog</name>
    <message>
        <source>Game options</source>
        <translation>Spieloptionen</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>&amp;Pop in lines</source>
        <translation>&amp;Zeilen von unten</translation>
    </message>
    <message>
        <source>&amp;Increase level during the game</source>
        <translation>Level während des Spiels &amp;steigern</translation>
    </message>
    <message>
        <source>Start Level:</source>
        <translation>Startlevel:</translation>
    </message>
    <message>
        <source>O&amp;k</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>vexari::GameView</name>
    <message>
        <source>Next</source>
        <translation>Nächste</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>... Press ENTER to play ...</source>
        <translation>... Zum Spielen EINGABE drücken ...</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>How the last figure landed</source>
        <translation>Wie die letzte Figur gelandet ist</translation>
    </message>
    <message>
        <source>... Press ESC to pause ...</source>
        <translation>... Zum Anhalten ESC drücken ...</translation>
    </message>
</context>
<context>
    <name>vexari::HighScoreDialog</name>
    <message>
        <source>Do you really want to reset high score table</source>
        <translation>Möchten Sie die Bestenliste wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>Reseting table</source>
        <translation>Bestenliste zurücksetzen</translation>
    </message>
    <message>
        <source>High Score</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>H I G H   S C O R E S</source>
        <translation>B E S T E N L I S T E</translation>
    </message>
    <message>
        <source>O&amp;k</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>New High Score</source>
        <translation>Neuer Rekord</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Geben Sie Ihren Namen ein:</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Ansehen</translation>
    </message>
    <message>
        <source>The replay cannot be read: %1</source>
        <translation>Die Aufzeichnung kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>A replay proves this score: double-click or Watch to see it</source>
        <translation>Eine Aufzeichnung belegt diese Punktzahl: Doppelklick oder „Ansehen“ zeigt sie</translation>
    </message>
    <message>
        <source>The replay makes another score</source>
        <translation>Die Aufzeichnung ergibt eine andere Punktzahl</translation>
    </message>
    <message>
        <source>The replay does not prove this score: %1</source>
        <translation>Die Aufzeichnung belegt diese Punktzahl nicht: %1</translation>
    </message>
</context>
<context>
    <name>vexari::JoinDialog</name>
    <message>
        <source>Attention! If you start &quot;Your name&quot; with &quot;Comp&quot;, then the computer will play for you. Digit right after &quot;Comp&quot; will be computer speed.</source>
        <translation>Achtung! Wenn „Ihr Name“ mit „Comp“ beginnt, spielt der Computer für Sie. Die Ziffer direkt nach „Comp“ gibt seine Geschwindigkeit an.</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Netzwerkspiel</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ihr Name</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Team</translation>
    </message>
    <message>
        <source>Connect to</source>
        <translation>Verbinden mit</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>vexari::LevelBar</name>
    <message>
        <source>Starting level: %1</source>
        <translation>Startlevel: %1</translation>
    </message>
</context>
<context>
    <name>vexari::MatchDialog</name>
    <message>
        <source>Play against the computer</source>
        <translation>Gegen den Computer spielen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Strong (tuned)</source>
        <translation>Stark (abgestimmt)</translation>
    </message>
    <message>
        <source>Computer &amp;opponents:</source>
        <translation>Computer&amp;gegner:</translation>
    </message>
    <message>
        <source>Their &amp;speed (%1-%2):</source>
        <translation>Ihre Ges&amp;chwindigkeit (%1-%2):</translation>
    </message>
    <message>
        <source>Their &amp;weights:</source>
        <translation>Ihre Ge&amp;wichte:</translation>
    </message>
    <message>
        <source>Teams</source>
        <translation>Teams</translation>
    </message>
    <message>
        <source>&amp;You alone against all</source>
        <translation>&amp;Du allein gegen alle</translation>
    </message>
    <message>
        <source>You and a computer &amp;team mate against the rest</source>
        <translation>Du und ein Computer als &amp;Teamkamerad gegen den Rest</translation>
    </message>
    <message>
        <source>&amp;Every one for himself</source>
        <translation>&amp;Jeder für sich</translation>
    </message>
    <message>
        <source>&amp;Network options...</source>
        <translation>&amp;Netzwerkoptionen...</translation>
    </message>
</context>
<context>
    <name>vexari::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkGameWindow</name>
    <message>
        <source>You cannot play with yourself!</source>
        <translation>Sie können nicht gegen sich selbst spielen!</translation>
    </message>
    <message>
        <source>Network Game</source>
        <translation>Netzwerkspiel</translation>
    </message>
    <message>
        <source>Start game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Team</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkOptionsDialog</name>
    <message>
        <source>Please enter a whole number that is not negative.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein, die nicht negativ ist.</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Most strong</source>
        <translation>Den Stärksten</translation>
    </message>
    <message>
        <source>Most weak</source>
        <translation>Den Schwächsten</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Random dispatch</source>
        <translation>Zufällig verteilt</translation>
    </message>
    <message>
        <source>Network game options</source>
        <translation>Optionen des Netzwerkspiels</translation>
    </message>
    <message>
        <source>In the team throw to player</source>
        <translation>Im Team Zeilen schicken an</translation>
    </message>
    <message>
        <source>Throw to team</source>
        <translation>An Teams schicken</translation>
    </message>
    <message>
        <source>Send trace messages</source>
        <translation>Ablaufmeldungen senden</translation>
    </message>
    <message>
        <source>Player win scores</source>
        <translation>Punkte für Spielersieg</translation>
    </message>
    <message>
        <source>Team win scores</source>
        <translation>Punkte für Teamsieg</translation>
    </message>
    <message>
        <source>Play till</source>
        <translation>Spielen bis</translation>
    </message>
    <message>
        <source>scores</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Start in</source>
        <translation>Start in</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkSession</name>
    <message>
        <source>Error accepting socket</source>
        <translation>Fehler beim Annehmen der Verbindung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Cannot create server socket</source>
        <translation>Der Server-Socket kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Error connecting to server</source>
        <translation>Fehler beim Verbinden mit dem Server</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
</context>
<context>
    <name>vexari::OthersWells</name>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Zeigen:</translation>
    </message>
    <message>
        <source>Highest wells</source>
        <translation>Höchste Schächte</translation>
    </message>
    <message>
        <source>My team first</source>
        <translation>Mein Team zuerst</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
</context>
<context>
    <name>vexari::PadSettingsBox</name>
    <message>
        <source>Gamepad</source>
        <translation>Gamepad</translation>
    </message>
    <message>
        <source>Repeat a&amp;fter</source>
        <translation>Wiederholung &amp;nach</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>per second</source>
        <translation>pro Sekunde</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Nichts</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Rotate back</source>
        <translation>Zurückdrehen</translation>
    </message>
    <message>
        <source>Drop</source>
        <translation>Fallen lassen</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>Beschleunigen</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>Re&amp;peat rate</source>
        <translation>Wiederholungsrat&amp;e</translation>
    </message>
    <message>
        <source>D-pad and left stick move, up drops,</source>
        <translation>Steuerkreuz und linker Stick bewegen,</translation>
    </message>
    <message>
        <source>down speeds the fall.</source>
        <translation>oben lässt fallen, unten beschleunigt.</translation>
    </message>
    <message>
        <source>Start continues, Back pauses.</source>
        <translation>Start setzt fort, Back hält an.</translation>
    </message>
</context>
<context>
    <name>vexari::Prompts</name>
    <message>
        <source>Value must be between %1 and %2</source>
        <translation>Der Wert muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>Please enter a whole number.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 kann nicht gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>vexari::ReplayViewer</name>
    <message>
        <source>paused</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>the end, verified</source>
        <translation>Ende, bestätigt</translation>
    </message>
    <message>
        <source>does not verify: %1</source>
        <translation>nicht bestätigt: %1</translation>
    </message>
    <message>
        <source>Vexari - replay of %1, %2 - %3</source>
        <translation>Vexari - Aufzeichnung von %1, %2 - %3</translation>
    </message>
    <message>
        <source>Space pause, 1 2 4 6 speed, Right one figure, End skip, other keys leave</source>
        <translation>Leertaste Pause, 1 2 4 6 Tempo, Rechts eine Figur, Ende zum Schluss, andere Tasten beenden</translation>
    </message>
    <message>
        <source>REPLAY: VERIFIED</source>
        <translation>AUFZEICHNUNG: BESTÄTIGT</translation>
    </message>
    <message>
        <source>REPLAY: NOT VERIFIED</source>
        <translation>AUFZEICHNUNG: NICHT BESTÄTIGT</translation>
    </message>
    <message>
        <source>REPLAY PAUSED</source>
        <translation>AUFZEICHNUNG ANGEHALTEN</translation>
    </message>
    <message>
        <source>REPLAY %1×</source>
        <translation>AUFZEICHNUNG %1×</translation>
    </message>
    <message>
        <source>a player without a name</source>
        <translation>einem Spieler ohne Namen</translation>
    </message>
</context>
<context>
    <name>vexari::ReplaysDialog</name>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Demo</source>
        <translation>Demo</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einzelspiel</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Aufzeichnungen</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>No games have been recorded yet.</source>
        <translation>Es wurden noch keine Spiele aufgezeichnet.</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Ansehen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>vexari::SoundDialog</name>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>&amp;Sound effects</source>
        <translation>&amp;Toneffekte</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Lautstärke:</translation>
    </message>
    <message>
        <source>&amp;Click on moves and turns</source>
        <translation>&amp;Klick beim Schieben und Drehen</translation>
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
        <translation>Zuschauen bei %1 - Vexari</translation>
    </message>
    <message>
        <source>&amp;Leave</source>
        <translation>&amp;Verlassen</translation>
    </message>
</context>
<context>
    <name>vexari::WatchDialog</name>
    <message>
        <source>Watch network game</source>
        <translation>Netzwerkspiel zuschauen</translation>
    </message>
    <message>
        <source>Your &amp;name</source>
        <translation>Ihr &amp;Name</translation>
    </message>
    <message>
        <source>&amp;Server (host:port)</source>
        <translation>&amp;Server (Host:Port)</translation>
    </message>
    <message>
        <source>You see every player&apos;s well, the tables and the chat, and never play.</source>
        <translation>Sie sehen den Schacht jedes Spielers, die Tabellen und den Chat und spielen selbst nicht mit.</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Bitte geben Sie Ihren Namen ein.</translation>
    </message>
    <message>
        <source>Please enter the server as HOST or HOST:PORT.</source>
        <translation>Bitte geben Sie den Server als HOST oder HOST:PORT ein.</translation>
    </message>
</context>
<context>
    <name>vexari::WatchSession</name>
    <message>
        <source>This server cannot be watched: it does not take spectators.</source>
        <translation>Diesem Server kann man nicht zuschauen: Er nimmt keine Zuschauer an.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbindung mit %1...</translation>
    </message>
</context>
<context>
    <name>vexari::WellGrid</name>
    <message>
        <source>Nobody is playing yet.</source>
        <translation>Noch spielt niemand.</translation>
    </message>
</context>
<context>
    <name>vexari::WellTile</name>
    <message>
        <source>your team</source>
        <translation>Ihr Team</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>RAUS</translation>
    </message>
</context>
<context>
    <name>vexari::main</name>
    <message>
        <source>No ver inf</source>
        <translation>Keine Versionsangabe</translation>
    </message>
    <message>
        <source>Exe name</source>
        <translation>Programmname</translation>
    </message>
</context>
</TS>
