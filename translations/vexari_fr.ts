<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>vexari::AboutDialog</name>
    <message>
        <source>Vexari version %1.%2.%3.%4</source>
        <translation>Vexari version %1.%2.%3.%4</translation>
    </message>
    <message>
        <source>About Vexari</source>
        <translation>À propos de Vexari</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>A falling-block puzzle game for one player,</source>
        <translation>Un jeu de réflexion aux blocs qui tombent, pour un joueur,</translation>
    </message>
    <message>
        <source>for the computer and for friends on the network.</source>
        <translation>pour l&apos;ordinateur et pour des amis en réseau.</translation>
    </message>
    <message>
        <source>Keys, look and skill are set in the Options menu.</source>
        <translation>Touches, apparence et difficulté se règlent dans le menu Options.</translation>
    </message>
    <message>
        <source>Free software under the &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License&lt;/a&gt;, version 3 or later.</source>
        <translation>Logiciel libre sous la &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;licence publique générale GNU&lt;/a&gt;, version 3 ou ultérieure.</translation>
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
        <translation>	Vous marquez des points&#xa0;:

    - pour chaque pièce posée – plus vous êtes rapide, plus vous marquez de points,
    - pour chaque ligne effacée – plus vous effacez de lignes à la fois, plus la récompense est grande,
    - pour les lignes qui montent du bas.

Si vous jouez sans l&apos;aperçu de la pièce suivante, vous marquez 30&#xa0;% de points en plus.
Les points des lignes effacées et des lignes du bas dépendent du niveau.</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Jeu</translation>
    </message>
    <message>
        <source>&amp;New Game	F2</source>
        <translation>&amp;Nouvelle partie	F2</translation>
    </message>
    <message>
        <source>&amp;High Score</source>
        <translation>&amp;Meilleurs scores</translation>
    </message>
    <message>
        <source>&amp;Demo</source>
        <translation>&amp;Démo</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Network</source>
        <translation>&amp;Réseau</translation>
    </message>
    <message>
        <source>&amp;Create network game...</source>
        <translation>&amp;Créer une partie en réseau...</translation>
    </message>
    <message>
        <source>&amp;Join network game...</source>
        <translation>&amp;Rejoindre une partie en réseau...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Design...</source>
        <translation>&amp;Apparence...</translation>
    </message>
    <message>
        <source>&amp;Skill...</source>
        <translation>&amp;Difficulté...</translation>
    </message>
    <message>
        <source>&amp;Demo parameters ...</source>
        <translation>&amp;Paramètres de la démo...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Keyboard...</source>
        <translation>&amp;Clavier...</translation>
    </message>
    <message>
        <source>&amp;Scoring...</source>
        <translation>&amp;Décompte des points...</translation>
    </message>
    <message>
        <source>&amp;About Vexari...</source>
        <translation>À &amp;propos de Vexari...</translation>
    </message>
    <message>
        <source>Scoring principles</source>
        <translation>Décompte des points</translation>
    </message>
    <message>
        <source>Hmm, what did you expect to see here?</source>
        <translation>Hum, qu&apos;espériez-vous voir ici&#xa0;?</translation>
    </message>
    <message>
        <source>&amp;Next figure</source>
        <translation>Pièce &amp;suivante</translation>
    </message>
    <message>
        <source>&amp;Design and Keyboard...</source>
        <translation>&amp;Apparence et clavier...</translation>
    </message>
    <message>
        <source>&amp;Replays...</source>
        <translation>Parties &amp;enregistrées...</translation>
    </message>
    <message>
        <source>Leave the network game to watch a replay.</source>
        <translation>Quittez la partie en réseau pour regarder une partie enregistrée.</translation>
    </message>
    <message>
        <source>The replay %1 cannot be played:
%2</source>
        <translation>La partie enregistrée %1 ne peut pas être rejouée :
%2</translation>
    </message>
    <message>
        <source>S&amp;ound...</source>
        <translation>&amp;Son...</translation>
    </message>
    <message>
        <source>&amp;Mute	Ctrl+M</source>
        <translation>&amp;Muet	Ctrl+M</translation>
    </message>
    <message>
        <source>Play against the &amp;computer...</source>
        <translation>Jouer contre l&apos;&amp;ordinateur...</translation>
    </message>
    <message>
        <source>&amp;Watch network game...</source>
        <translation>&amp;Observer une partie en réseau...</translation>
    </message>
    <message>
        <source>Spectator</source>
        <translation>Spectateur</translation>
    </message>
</context>
<context>
    <name>vexari::ComputerMatch</name>
    <message>
        <source>The computer players cannot start: %1 is not installed beside this program.</source>
        <translation>Les joueurs ordinateur ne peuvent pas démarrer : %1 n&apos;est pas installé à côté de ce programme.</translation>
    </message>
    <message>
        <source>The computer players cannot start.</source>
        <translation>Les joueurs ordinateur ne peuvent pas démarrer.</translation>
    </message>
    <message>
        <source>A computer player could not join the game.</source>
        <translation>Un joueur ordinateur n&apos;a pas pu rejoindre la partie.</translation>
    </message>
</context>
<context>
    <name>vexari::ComputerWeightsDialog</name>
    <message>
        <source>Cannot open this file</source>
        <translation>Impossible d&apos;ouvrir ce fichier</translation>
    </message>
    <message>
        <source>Not to make new holes</source>
        <translation>Ne pas créer de nouveaux trous</translation>
    </message>
    <message>
        <source>To shovel away old holes</source>
        <translation>Dégager les anciens trous</translation>
    </message>
    <message>
        <source>To place figures with maximum cohesion with relief</source>
        <translation>Poser les pièces au plus près du relief</translation>
    </message>
    <message>
        <source>Not to make long one-element gaps</source>
        <translation>Ne pas laisser de longs puits d&apos;une case</translation>
    </message>
    <message>
        <source>Not to make long two-element gaps</source>
        <translation>Ne pas laisser de longs puits de deux cases</translation>
    </message>
    <message>
        <source>To make smooth surface</source>
        <translation>Obtenir une surface lisse</translation>
    </message>
    <message>
        <source>To place figures lower</source>
        <translation>Poser les pièces le plus bas possible</translation>
    </message>
    <message>
        <source>To remove more than one line in once</source>
        <translation>Effacer plusieurs lignes à la fois</translation>
    </message>
    <message>
        <source>Demo parameters files (*.dem)</source>
        <translation>Fichiers de paramètres de démo (*.dem)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>Demo parameters</source>
        <translation>Paramètres de la démo</translation>
    </message>
    <message>
        <source>In demo mode computer tries to satisfy certain criteria. You can tell him the importance of each criterion by modifying this numbers:</source>
        <translation>En mode démo, l&apos;ordinateur essaie de satisfaire certains critères. Vous pouvez lui indiquer l&apos;importance de chaque critère en modifiant ces nombres&#xa0;:</translation>
    </message>
    <message>
        <source>Try</source>
        <translation>Objectifs</translation>
    </message>
    <message>
        <source>&quot;Learn from me&quot; mode (in this mode computer will try to compute this numbers from your play)</source>
        <translation>Mode «&#xa0;Apprendre de moi&#xa0;» (l&apos;ordinateur essaie alors de calculer ces nombres d&apos;après votre jeu)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
</context>
<context>
    <name>vexari::DesignDialog</name>
    <message>
        <source>You have defined the same keys for different operations. Please correct.</source>
        <translation>Vous avez attribué les mêmes touches à des actions différentes. Veuillez corriger.</translation>
    </message>
    <message>
        <source>Design Options</source>
        <translation>Apparence et clavier</translation>
    </message>
    <message>
        <source>&amp;Left Key</source>
        <translation>Touche &amp;gauche</translation>
    </message>
    <message>
        <source>&amp;Right Key</source>
        <translation>Touche &amp;droite</translation>
    </message>
    <message>
        <source>Ro&amp;tate Key</source>
        <translation>Touche de &amp;rotation</translation>
    </message>
    <message>
        <source>Rotate Ke&amp;y</source>
        <translation>&amp;Seconde touche de rotation</translation>
    </message>
    <message>
        <source>&amp;Drop Key</source>
        <translation>Touche de &amp;chute</translation>
    </message>
    <message>
        <source>&amp;Accelerate Key</source>
        <translation>Touche d&apos;&amp;accélération</translation>
    </message>
    <message>
        <source>Show/Hide Next Figure - &quot;1&quot; or &quot;Tab&quot;</source>
        <translation>Afficher/masquer la pièce suivante – «&#xa0;1&#xa0;» ou «&#xa0;Tab&#xa0;»</translation>
    </message>
    <message>
        <source>Pause - &quot;Esc&quot;</source>
        <translation>Pause – «&#xa0;Échap&#xa0;»</translation>
    </message>
    <message>
        <source>Mayday - &quot;Esc&quot; twice</source>
        <translation>Panique – deux fois «&#xa0;Échap&#xa0;»</translation>
    </message>
    <message>
        <source>Continue - &quot;Enter&quot;</source>
        <translation>Continuer – «&#xa0;Entrée&#xa0;»</translation>
    </message>
    <message>
        <source>New Game  - &quot;F2&quot;</source>
        <translation>Nouvelle partie – «&#xa0;F2&#xa0;»</translation>
    </message>
    <message>
        <source>Background strokes</source>
        <translation>Repères du fond</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>Auc&amp;un</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>&amp;Blanc</translation>
    </message>
    <message>
        <source>B&amp;lac&amp;k</source>
        <translation>&amp;Noir</translation>
    </message>
    <message>
        <source>&amp;Inverted</source>
        <translation>&amp;Inversé</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>&amp;Color pieces</source>
        <translation>Pièces en c&amp;ouleur</translation>
    </message>
    <message>
        <source>An&amp;imate details</source>
        <translation>An&amp;imer les détails</translation>
    </message>
    <message>
        <source>Background bitmap:</source>
        <translation>Image de fond&#xa0;:</translation>
    </message>
    <message>
        <source>Current bitmap:</source>
        <translation>Image actuelle&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Black</source>
        <translation>&amp;Fond noir</translation>
    </message>
    <message>
        <source>&amp;Select ...</source>
        <translation>C&amp;hoisir...</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>O&amp;K</translation>
    </message>
    <message>
        <source>Canc&amp;el</source>
        <translation>Annu&amp;ler</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Fichiers bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>The path of this file is too long: at most %1 characters can be kept.</source>
        <translation>Le chemin de ce fichier est trop long&#xa0;: %1 caractères au plus peuvent être conservés.</translation>
    </message>
    <message>
        <source>Cannon read bitmap file %1.Please change the file pathname or set backround to BLACK</source>
        <translation>Impossible de lire le fichier image %1. Veuillez changer le chemin du fichier ou mettre le fond en NOIR.</translation>
    </message>
    <message>
        <source>Colours for colour-blind &amp;players</source>
        <translation>Couleurs ada&amp;ptées aux daltoniens</translation>
    </message>
    <message>
        <source>&amp;Mark figures with letters</source>
        <translation>&amp;Marquer les pièces d&apos;une lettre</translation>
    </message>
    <message>
        <source>Show the landin&amp;g place</source>
        <translation>Mon&amp;trer l&apos;emplacement d&apos;arrivée</translation>
    </message>
</context>
<context>
    <name>vexari::FirstRun</name>
    <message>
        <source>It is the first time you run Vexari. Do you want to configure it now (otherwise it will use default values)?</source>
        <translation>C&apos;est la première fois que vous lancez Vexari. Voulez-vous le configurer maintenant (sinon, il utilisera les valeurs par défaut)&#xa0;?</translation>
    </message>
</context>
<context>
    <name>vexari::GameAccessible</name>
    <message>
        <source>Waiting for the start, stack %1 of %2 rows</source>
        <translation>En attente du départ, pile de %1 rangées sur %2</translation>
    </message>
    <message>
        <source>Paused, stack %1 of %2 rows</source>
        <translation>En pause, pile de %1 rangées sur %2</translation>
    </message>
    <message>
        <source>Figure %1 in column %2, stack %3 of %4 rows</source>
        <translation>Pièce %1 en colonne %2, pile de %3 rangées sur %4</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>masquée</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>aucune pour l&apos;instant</translation>
    </message>
    <message>
        <source>Score %1, level %2, lines %3, next figure %4</source>
        <translation>Score %1, niveau %2, lignes %3, pièce suivante %4</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>Well</source>
        <translation>Puits</translation>
    </message>
    <message>
        <source>Next figure</source>
        <translation>Pièce suivante</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Lignes</translation>
    </message>
</context>
<context>
    <name>vexari::GameOptionsDialog</name>
    <message>
        <source>Game options</source>
        <translation>Options de jeu</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>&amp;Pop in lines</source>
        <translation>&amp;Lignes montantes</translation>
    </message>
    <message>
        <source>&amp;Increase level during the game</source>
        <translation>&amp;Augmenter le niveau en cours de partie</translation>
    </message>
    <message>
        <source>Start Level:</source>
        <translation>Niveau de départ&#xa0;:</translation>
    </message>
    <message>
        <source>O&amp;k</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
</context>
<context>
    <name>vexari::GameView</name>
    <message>
        <source>Next</source>
        <translation>Suivante</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>... Press ENTER to play ...</source>
        <translation>... Appuyez sur ENTRÉE pour jouer ...</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>How the last figure landed</source>
        <translation>Comment la dernière pièce s&apos;est posée</translation>
    </message>
    <message>
        <source>... Press ESC to pause ...</source>
        <translation>... Appuyez sur ÉCHAP pour la pause ...</translation>
    </message>
</context>
<context>
    <name>vexari::HighScoreDialog</name>
    <message>
        <source>Do you really want to reset high score table</source>
        <translation>Voulez-vous vraiment réinitialiser le tableau des meilleurs scores&#xa0;?</translation>
    </message>
    <message>
        <source>Reseting table</source>
        <translation>Réinitialisation du tableau</translation>
    </message>
    <message>
        <source>High Score</source>
        <translation>Meilleurs scores</translation>
    </message>
    <message>
        <source>H I G H   S C O R E S</source>
        <translation>M E I L L E U R S   S C O R E S</translation>
    </message>
    <message>
        <source>O&amp;k</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Réinitialiser</translation>
    </message>
    <message>
        <source>New High Score</source>
        <translation>Nouveau record</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Entrez votre nom&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Voir</translation>
    </message>
    <message>
        <source>The replay cannot be read: %1</source>
        <translation>La partie enregistrée est illisible : %1</translation>
    </message>
    <message>
        <source>A replay proves this score: double-click or Watch to see it</source>
        <translation>Une partie enregistrée prouve ce score : double-cliquez ou choisissez Voir pour la regarder</translation>
    </message>
    <message>
        <source>The replay makes another score</source>
        <translation>La partie enregistrée donne un autre score</translation>
    </message>
    <message>
        <source>The replay does not prove this score: %1</source>
        <translation>La partie enregistrée ne prouve pas ce score : %1</translation>
    </message>
</context>
<context>
    <name>vexari::JoinDialog</name>
    <message>
        <source>Attention! If you start &quot;Your name&quot; with &quot;Comp&quot;, then the computer will play for you. Digit right after &quot;Comp&quot; will be computer speed.</source>
        <translation>Attention&#xa0;! Si «&#xa0;Votre nom&#xa0;» commence par «&#xa0;Comp&#xa0;», l&apos;ordinateur jouera pour vous. Le chiffre juste après «&#xa0;Comp&#xa0;» donne sa vitesse.</translation>
    </message>
    <message>
        <source>Network game</source>
        <translation>Partie en réseau</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Équipe</translation>
    </message>
    <message>
        <source>Connect to</source>
        <translation>Se connecter à</translation>
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
        <translation>Niveau de départ&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>vexari::MatchDialog</name>
    <message>
        <source>Play against the computer</source>
        <translation>Jouer contre l&apos;ordinateur</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Strong (tuned)</source>
        <translation>Forts (réglés)</translation>
    </message>
    <message>
        <source>Computer &amp;opponents:</source>
        <translation>&amp;Adversaires ordinateur :</translation>
    </message>
    <message>
        <source>Their &amp;speed (%1-%2):</source>
        <translation>Leur &amp;vitesse (%1-%2) :</translation>
    </message>
    <message>
        <source>Their &amp;weights:</source>
        <translation>Leurs &amp;poids :</translation>
    </message>
    <message>
        <source>Teams</source>
        <translation>Équipes</translation>
    </message>
    <message>
        <source>&amp;You alone against all</source>
        <translation>Vous &amp;seul contre tous</translation>
    </message>
    <message>
        <source>You and a computer &amp;team mate against the rest</source>
        <translation>Vous et un &amp;coéquipier ordinateur contre les autres</translation>
    </message>
    <message>
        <source>&amp;Every one for himself</source>
        <translation>C&amp;hacun pour soi</translation>
    </message>
    <message>
        <source>&amp;Network options...</source>
        <translation>Options &amp;réseau...</translation>
    </message>
</context>
<context>
    <name>vexari::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkGameWindow</name>
    <message>
        <source>You cannot play with yourself!</source>
        <translation>Vous ne pouvez pas jouer contre vous-même&#xa0;!</translation>
    </message>
    <message>
        <source>Network Game</source>
        <translation>Partie en réseau</translation>
    </message>
    <message>
        <source>Start game</source>
        <translation>Lancer la partie</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Équipe</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkOptionsDialog</name>
    <message>
        <source>Please enter a whole number that is not negative.</source>
        <translation>Veuillez saisir un nombre entier positif ou nul.</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Most strong</source>
        <translation>Le plus fort</translation>
    </message>
    <message>
        <source>Most weak</source>
        <translation>Le plus faible</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Au hasard</translation>
    </message>
    <message>
        <source>Random dispatch</source>
        <translation>Répartition au hasard</translation>
    </message>
    <message>
        <source>Network game options</source>
        <translation>Options de la partie en réseau</translation>
    </message>
    <message>
        <source>In the team throw to player</source>
        <translation>Dans l&apos;équipe, envoyer au joueur</translation>
    </message>
    <message>
        <source>Throw to team</source>
        <translation>Envoyer à l&apos;équipe</translation>
    </message>
    <message>
        <source>Send trace messages</source>
        <translation>Envoyer les messages de trace</translation>
    </message>
    <message>
        <source>Player win scores</source>
        <translation>Points de victoire du joueur</translation>
    </message>
    <message>
        <source>Team win scores</source>
        <translation>Points de victoire de l&apos;équipe</translation>
    </message>
    <message>
        <source>Play till</source>
        <translation>Jouer jusqu&apos;à</translation>
    </message>
    <message>
        <source>scores</source>
        <translation>points</translation>
    </message>
    <message>
        <source>Start in</source>
        <translation>Départ dans</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondes</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
</context>
<context>
    <name>vexari::NetworkSession</name>
    <message>
        <source>Error accepting socket</source>
        <translation>Erreur lors de l&apos;acceptation de la connexion</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Cannot create server socket</source>
        <translation>Impossible de créer le socket du serveur</translation>
    </message>
    <message>
        <source>Error connecting to server</source>
        <translation>Erreur de connexion au serveur</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
</context>
<context>
    <name>vexari::OthersWells</name>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Afficher :</translation>
    </message>
    <message>
        <source>Highest wells</source>
        <translation>Puits les plus hauts</translation>
    </message>
    <message>
        <source>My team first</source>
        <translation>Mon équipe d&apos;abord</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
</context>
<context>
    <name>vexari::PadSettingsBox</name>
    <message>
        <source>Gamepad</source>
        <translation>Manette</translation>
    </message>
    <message>
        <source>Repeat a&amp;fter</source>
        <translation>Attente a&amp;vant répétition</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>per second</source>
        <translation>par seconde</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Rien</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Tourner</translation>
    </message>
    <message>
        <source>Rotate back</source>
        <translation>Tourner dans l&apos;autre sens</translation>
    </message>
    <message>
        <source>Drop</source>
        <translation>Faire tomber</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>Accélérer</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Bouton %1</translation>
    </message>
    <message>
        <source>Re&amp;peat rate</source>
        <translation>R&amp;ythme de répétition</translation>
    </message>
    <message>
        <source>D-pad and left stick move, up drops,</source>
        <translation>La croix et le stick gauche déplacent,</translation>
    </message>
    <message>
        <source>down speeds the fall.</source>
        <translation>haut fait tomber, bas accélère la chute.</translation>
    </message>
    <message>
        <source>Start continues, Back pauses.</source>
        <translation>Start continue, Back met en pause.</translation>
    </message>
</context>
<context>
    <name>vexari::Prompts</name>
    <message>
        <source>Value must be between %1 and %2</source>
        <translation>La valeur doit être comprise entre %1 et %2</translation>
    </message>
    <message>
        <source>Please enter a whole number.</source>
        <translation>Veuillez saisir un nombre entier.</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>Impossible d&apos;enregistrer %1 : %2</translation>
    </message>
</context>
<context>
    <name>vexari::ReplayViewer</name>
    <message>
        <source>paused</source>
        <translation>en pause</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>the end, verified</source>
        <translation>terminée, vérifiée</translation>
    </message>
    <message>
        <source>does not verify: %1</source>
        <translation>non vérifiée : %1</translation>
    </message>
    <message>
        <source>Vexari - replay of %1, %2 - %3</source>
        <translation>Vexari - partie enregistrée : %1, %2 - %3</translation>
    </message>
    <message>
        <source>Space pause, 1 2 4 6 speed, Right one figure, End skip, other keys leave</source>
        <translation>Espace pause, 1 2 4 6 vitesse, Droite une figure, Fin jusqu’au bout, autres touches pour quitter</translation>
    </message>
    <message>
        <source>REPLAY: VERIFIED</source>
        <translation>REDIFFUSION : VÉRIFIÉE</translation>
    </message>
    <message>
        <source>REPLAY: NOT VERIFIED</source>
        <translation>REDIFFUSION : NON VÉRIFIÉE</translation>
    </message>
    <message>
        <source>REPLAY PAUSED</source>
        <translation>REDIFFUSION EN PAUSE</translation>
    </message>
    <message>
        <source>REPLAY %1×</source>
        <translation>REDIFFUSION %1×</translation>
    </message>
    <message>
        <source>a player without a name</source>
        <translation>joueur sans nom</translation>
    </message>
</context>
<context>
    <name>vexari::ReplaysDialog</name>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Demo</source>
        <translation>Démo</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>Parties enregistrées</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>No games have been recorded yet.</source>
        <translation>Aucune partie n’a encore été enregistrée.</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Voir</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>vexari::SoundDialog</name>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>&amp;Sound effects</source>
        <translation>&amp;Effets sonores</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volume :</translation>
    </message>
    <message>
        <source>&amp;Click on moves and turns</source>
        <translation>&amp;Clic aux déplacements et rotations</translation>
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
        <translation>Observation de %1 - Vexari</translation>
    </message>
    <message>
        <source>&amp;Leave</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>vexari::WatchDialog</name>
    <message>
        <source>Watch network game</source>
        <translation>Observer une partie en réseau</translation>
    </message>
    <message>
        <source>Your &amp;name</source>
        <translation>Votre &amp;nom</translation>
    </message>
    <message>
        <source>&amp;Server (host:port)</source>
        <translation>&amp;Serveur (hôte:port)</translation>
    </message>
    <message>
        <source>You see every player&apos;s well, the tables and the chat, and never play.</source>
        <translation>Vous voyez le puits de chaque joueur, les tableaux et la discussion, sans jamais jouer.</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Veuillez saisir votre nom.</translation>
    </message>
    <message>
        <source>Please enter the server as HOST or HOST:PORT.</source>
        <translation>Veuillez saisir le serveur sous la forme HÔTE ou HÔTE:PORT.</translation>
    </message>
</context>
<context>
    <name>vexari::WatchSession</name>
    <message>
        <source>This server cannot be watched: it does not take spectators.</source>
        <translation>Impossible d&apos;observer ce serveur : il n&apos;accepte pas de spectateurs.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1...</translation>
    </message>
</context>
<context>
    <name>vexari::WellGrid</name>
    <message>
        <source>Nobody is playing yet.</source>
        <translation>Personne ne joue encore.</translation>
    </message>
</context>
<context>
    <name>vexari::WellTile</name>
    <message>
        <source>your team</source>
        <translation>votre équipe</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>ÉLIMINÉ</translation>
    </message>
</context>
<context>
    <name>vexari::main</name>
    <message>
        <source>No ver inf</source>
        <translation>Pas d&apos;informations de version</translation>
    </message>
    <message>
        <source>Exe name</source>
        <translation>Nom du programme</translation>
    </message>
</context>
</TS>
