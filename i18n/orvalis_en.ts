<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Orvalis</name>
    <message>
        <source>Connexion à %1 ...</source>
        <translation>Connecting to %1 ...</translation>
    </message>
    <message>
        <source>Lecture de %1 ...</source>
        <translation>Reading %1 ...</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Actualisation du classement</source>
        <translation>Ranking update</translation>
    </message>
    <message>
        <source>Actualisation : connexion à %1 ...</source>
        <translation>Update: connecting to %1 ...</translation>
    </message>
    <message>
        <source>Actualisation : lecture de %1 ...</source>
        <translation>Update: reading %1 ...</translation>
    </message>
    <message>
        <source>Actualisation annulée : rien n&apos;est écrit</source>
        <translation>Update cancelled: nothing was written</translation>
    </message>
    <message>
        <source>Actualisation impossible</source>
        <translation>Update failed</translation>
    </message>
    <message>
        <source>Classement enregistré dans %1</source>
        <translation>Ranking saved in %1</translation>
    </message>
    <message>
        <source>Lecture / pause (Espace)</source>
        <translation>Play / pause (Space)</translation>
    </message>
    <message>
        <source>Temps de course par seconde (↑ ↓)</source>
        <translation>Race time per second (↑ ↓)</translation>
    </message>
    <message>
        <source>← → une heure, Ctrl+← → un jour, Début / Fin</source>
        <translation>← → one hour, Ctrl+← → one day, Home / End</translation>
    </message>
    <message>
        <source>Traînée : aucune</source>
        <translation>Trail: none</translation>
    </message>
    <message>
        <source>Traînée : toute la course</source>
        <translation>Trail: whole race</translation>
    </message>
    <message>
        <source>Mercredi 28 novembre 2000, 20h00 UTC · jour 000</source>
        <translation>Wednesday 29 November 2000, 20:00 UTC · day 000</translation>
    </message>
    <message>
        <source>Fermer le film (Échap)</source>
        <translation>Close the replay (Esc)</translation>
    </message>
    <message>
        <source>Suivre : personne</source>
        <translation>Follow: nobody</translation>
    </message>
    <message>
        <source>Suivre : la tête</source>
        <translation>Follow: the leader</translation>
    </message>
    <message>
        <source>Suivre : %1</source>
        <translation>Follow: %1</translation>
    </message>
    <message>
        <source>Sélectionner une date</source>
        <translation>Select a date</translation>
    </message>
    <message>
        <source>&lt;&lt;     Mois &amp;préc.</source>
        <translation>&lt;&lt;     &amp;Previous month</translation>
    </message>
    <message>
        <source>Mois &amp;suiv.   &gt;&gt;</source>
        <translation>&amp;Next month   &gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt;     Année p&amp;réc.</source>
        <translation>&lt;&lt;     Previous &amp;year</translation>
    </message>
    <message>
        <source>Année s&amp;uiv.    &gt;&gt;</source>
        <translation>Next y&amp;ear    &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Valider</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Rang</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Skipper</source>
        <translation>Skipper</translation>
    </message>
    <message>
        <source>Bateau</source>
        <translation>Boat</translation>
    </message>
    <message>
        <source>Aucun classement publié</source>
        <translation>No ranking published</translation>
    </message>
    <message>
        <source>Cliquer sur la 1 ère lettre du nom pour obtenir les détails</source>
        <translation>Click on the first letter of the name to get the details</translation>
    </message>
    <message>
        <source>Cap = </source>
        <translation>Heading = </translation>
    </message>
    <message>
        <source>Distance de l&apos;arrivée = </source>
        <translation>Distance to finish = </translation>
    </message>
    <message>
        <source>Distance du leader = </source>
        <translation>Distance to leader = </translation>
    </message>
    <message>
        <source> milles</source>
        <translation> miles</translation>
    </message>
    <message>
        <source>Vitesse = </source>
        <translation>Speed = </translation>
    </message>
    <message>
        <source> noeuds</source>
        <translation> knots</translation>
    </message>
    <message>
        <source>Photo non disponible</source>
        <translation>Photo not available</translation>
    </message>
    <message>
        <source> Type : %1
 Longueur : %2 m.
 Poids en charge : %3 t.</source>
        <translation> Type: %1
 Length: %2 m
 Loaded weight: %3 t</translation>
    </message>
    <message>
        <source> Voilure au près : %1 m²
 Voilure au portant : %2 m²</source>
        <translation> Sail area upwind: %1 m²
 Sail area downwind: %2 m²</translation>
    </message>
    <message>
        <source>Archives du Orvalis 2000 - 2001</source>
        <translation>Orvalis 2000 - 2001 Archives</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
    <message>
        <source>Chargement des cartes  . Merci de patienter .......</source>
        <translation>Loading the charts. Please wait .......</translation>
    </message>
    <message>
        <source>Cartes : Natural Earth, GSHHG. Concurrents et bateaux imaginaires.</source>
        <translation>Charts: Natural Earth, GSHHG. Fictitious entrants and boats.</translation>
    </message>
    <message>
        <source>A propos ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <source>Aide d&apos;Orvalis</source>
        <translation>Orvalis Help</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Rang jour par jour</source>
        <translation>Rank day by day</translation>
    </message>
    <message>
        <source>Écart au leader (milles)</source>
        <translation>Gap to the leader (miles)</translation>
    </message>
    <message>
        <source>Milles derrière le leader</source>
        <translation>Miles behind the leader</translation>
    </message>
    <message>
        <source>Statistiques de la course</source>
        <translation>Race statistics</translation>
    </message>
    <message>
        <source>Écart au leader</source>
        <translation>Gap to leader</translation>
    </message>
    <message>
        <source>Rangs</source>
        <translation>Ranks</translation>
    </message>
    <message>
        <source>Distance parcourue (milles)</source>
        <translation>Distance sailed (miles)</translation>
    </message>
    <message>
        <source>Vitesse moyenne (nœuds)</source>
        <translation>Average speed (knots)</translation>
    </message>
    <message>
        <source>Meilleur jour (milles)</source>
        <translation>Best day (miles)</translation>
    </message>
    <message>
        <source>Date du meilleur jour</source>
        <translation>Date of the best day</translation>
    </message>
    <message>
        <source>Jours de course</source>
        <translation>Days racing</translation>
    </message>
    <message>
        <source>Statut</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Exporter CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <source>Bilan</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Exporter le bilan</source>
        <translation>Export the summary</translation>
    </message>
    <message>
        <source>Classement</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Orvalis 2000-2001. Film continu de la course</source>
        <translation>Orvalis 2000-2001. Continuous replay of the race</translation>
    </message>
    <message>
        <source>position estimée (interpolée)</source>
        <translation>estimated position (interpolated)</translation>
    </message>
    <message>
        <source>position estimée (trou de plus de 30 h)</source>
        <translation>estimated position (gap of more than 30 h)</translation>
    </message>
    <message>
        <source>Cap moyen = %1°</source>
        <translation>Average heading = %1°</translation>
    </message>
    <message>
        <source>Vitesse moyenne = %1 noeuds</source>
        <translation>Average speed = %1 knots</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image</source>
        <translation>Save the image</translation>
    </message>
    <message>
        <source>Taille de l&apos;image :</source>
        <translation>Image size:</translation>
    </message>
    <message>
        <source>1× (%1 × %2 pixels)</source>
        <translation>1× (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>2× (%1 × %2 pixels)</source>
        <translation>2× (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>Image enregistrée dans « %1 »</source>
        <translation>Image saved in “%1”</translation>
    </message>
    <message>
        <source>Image copiée dans le presse-papiers</source>
        <translation>Image copied to the clipboard</translation>
    </message>
    <message>
        <source>Cliquer sur l&apos;image</source>
        <translation>Click on the picture</translation>
    </message>
    <message>
        <source>Non disponible : autre date ?</source>
        <translation>Not available: another date?</translation>
    </message>
    <message>
        <source>Orvalis 2000-2001. Positions des concurrents le </source>
        <translation>Orvalis 2000-2001. Entrants&apos; positions on </translation>
    </message>
    <message>
        <source> &lt;&gt; %1 ème jour de course</source>
        <translation> &lt;&gt; race day %1</translation>
    </message>
    <message>
        <source>Pas de jour suivant dans les archives</source>
        <translation>No next day in the archives</translation>
    </message>
    <message>
        <source>Pas de jour précédent dans les archives</source>
        <translation>No previous day in the archives</translation>
    </message>
    <message>
        <source>Lecture impossible du fichier du %1</source>
        <translation>Cannot read the day file for %1</translation>
    </message>
    <message>
        <source>%1 : « %2 » n&apos;est pas un nombre.</source>
        <translation>%1: “%2” is not a number.</translation>
    </message>
    <message>
        <source>Argument inconnu : « %1%2 ».</source>
        <translation>Unknown argument: “%1%2”.</translation>
    </message>
    <message>
        <source>%1 : valeur manquante.</source>
        <translation>%1: missing value.</translation>
    </message>
    <message>
        <source>Arguments invalides.</source>
        <translation>Invalid arguments.</translation>
    </message>
    <message>
        <source>Argument inconnu : « %1 ».</source>
        <translation>Unknown argument: “%1”.</translation>
    </message>
    <message>
        <source>--%1 : donnée plusieurs fois.</source>
        <translation>--%1: given more than once.</translation>
    </message>
    <message>
        <source>--%1 : instant invalide « %2 » (JJ/MM/AAAA HH:MM ou JJ/MM/AAAA HHhMM, UTC).</source>
        <translation>--%1: invalid time “%2” (JJ/MM/AAAA HH:MM or JJ/MM/AAAA HHhMM, UTC).</translation>
    </message>
    <message>
        <source>--csv : nom de fichier manquant.</source>
        <translation>--csv: missing file name.</translation>
    </message>
    <message>
        <source>--trainee : « %1 » (0, 1, 3, 7 ou tout).</source>
        <translation>--trainee: “%1” (0, 1, 3, 7 or tout).</translation>
    </message>
    <message>
        <source>--suivre : concurrent inconnu « %1 » (un nom, ou tete).</source>
        <translation>--suivre: unknown entrant “%1” (a name, or tete).</translation>
    </message>
    <message>
        <source>--date : date invalide ou manquante (JJ/MM/AAAA).</source>
        <translation>--date: invalid or missing date (JJ/MM/AAAA).</translation>
    </message>
    <message>
        <source>--trajets : concurrent inconnu « %1 ».</source>
        <translation>--trajets: unknown entrant “%1”.</translation>
    </message>
    <message>
        <source>--trajets : aucun concurrent (tous, ou des noms séparés par des virgules).</source>
        <translation>--trajets: no entrant (tous, or names separated by commas).</translation>
    </message>
    <message>
        <source>--%1 : date invalide « %2 » (JJ/MM/AAAA).</source>
        <translation>--%1: invalid date “%2” (JJ/MM/AAAA).</translation>
    </message>
    <message>
        <source>--%1 : le nom du fichier doit finir par %2.</source>
        <translation>--%1: the file name must end with %2.</translation>
    </message>
    <message>
        <source>quatre valeurs attendues (LAT1 LON1 LAT2 LON2).</source>
        <translation>four values expected (LAT1 LON1 LAT2 LON2).</translation>
    </message>
    <message>
        <source>--distance : latitude hors de -90..90.</source>
        <translation>--distance: latitude outside -90..90.</translation>
    </message>
    <message>
        <source>--distance : longitude hors de -360..360.</source>
        <translation>--distance: longitude outside -360..360.</translation>
    </message>
    <message>
        <source>--distance : minutes au-delà de 60 (DD.MM attendu).</source>
        <translation>--distance: minutes over 60 (DD.MM expected).</translation>
    </message>
    <message>
        <source>--classement : date invalide « %1 » (JJ/MM/AAAA).</source>
        <translation>--classement: invalid date “%1” (JJ/MM/AAAA).</translation>
    </message>
    <message>
        <source>--size : dimensions invalides « %1 » (LxH, de 1 à 16384).</source>
        <translation>--size: invalid dimensions “%1” (WxH, 1 to 16384).</translation>
    </message>
    <message>
        <source>--scale : échelle invalide « %1 » (de 1 à 4, 1.5 par exemple).</source>
        <translation>--scale: invalid scale “%1” (1 to 4, 1.5 for example).</translation>
    </message>
    <message>
        <source>quatre limites attendues (N S O E).</source>
        <translation>four limits expected (N S W E).</translation>
    </message>
    <message>
        <source>--zone : latitude hors de -90..90.</source>
        <translation>--zone: latitude outside -90..90.</translation>
    </message>
    <message>
        <source>--zone : longitude hors de -180..180.</source>
        <translation>--zone: longitude outside -180..180.</translation>
    </message>
    <message>
        <source>--zone : minutes au-delà de 60 (DD.MM attendu).</source>
        <translation>--zone: minutes over 60 (DD.MM expected).</translation>
    </message>
    <message>
        <source>Pas de fichier du jour le %1 dans les archives.</source>
        <translation>No day file for %1 in the archives.</translation>
    </message>
    <message>
        <source>Instant hors des archives : « %1 » (du %2 au %3, UTC).</source>
        <translation>Time outside the archives: “%1” (%2 to %3, UTC).</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Avertissement</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Zoom avant : dessiner un cadre avec le bouton gauche |  Zoom arrière : bouton droit</source>
        <translation>Zoom in: draw a frame with the left button |  Zoom out: right button</translation>
    </message>
    <message>
        <source>Cliquer - Glisser - Relacher le bouton gauche de la souris pour déplacer la carte</source>
        <translation>Click - Drag - Release the left mouse button to move the chart</translation>
    </message>
    <message>
        <source>Cliquer sur le 1er concurrent/marque de parcours et se déplacer vers le/la 2ème - relâcher</source>
        <translation>Click on the 1st entrant/course mark and move to the 2nd one - release</translation>
    </message>
    <message>
        <source>Sélectionnez les concurrents pour lesquels vous désirez un tracé du trajet</source>
        <translation>Select the entrants whose tracks you want drawn</translation>
    </message>
    <message>
        <source>(Utiliser les touches Ctrl et Majuscules pour effectuer des choix multiples)</source>
        <translation>(Use the Ctrl and Shift keys to make multiple choices)</translation>
    </message>
    <message>
        <source>Sélectionner les dates</source>
        <translation>Select the dates</translation>
    </message>
    <message>
        <source>Toute la course</source>
        <translation>Whole race</translation>
    </message>
    <message>
        <source>Entre deux dates</source>
        <translation>Between two dates</translation>
    </message>
    <message>
        <source>depuis le</source>
        <translation>from</translation>
    </message>
    <message>
        <source>Afficher</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Les dates/heures</source>
        <translation>Dates/times</translation>
    </message>
    <message>
        <source>Les vitesses</source>
        <translation>Speeds</translation>
    </message>
    <message>
        <source>Le classement</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Les distances entre les deux concurrents </source>
        <translation>Distances between the two entrants</translation>
    </message>
    <message>
        <source>Les distances parcourues</source>
        <translation>Distances sailed</translation>
    </message>
    <message>
        <source>depuis le précédent relèvement</source>
        <translation>since the previous fix</translation>
    </message>
    <message>
        <source>Suivi de la progression</source>
        <translation>Progress display</translation>
    </message>
    <message>
        <source>mode instantané</source>
        <translation>all-at-once mode</translation>
    </message>
    <message>
        <source>mode cadencé</source>
        <translation>timed mode</translation>
    </message>
    <message>
        <source>mode manuel</source>
        <translation>manual mode</translation>
    </message>
    <message>
        <source>mode continu</source>
        <translation>continuous mode</translation>
    </message>
    <message>
        <source>(&gt;  affiche les trajets instantanément)</source>
        <translation>(&gt;  draws the tracks all at once)</translation>
    </message>
    <message>
        <source>(&gt; avec la touche : flêche vers le bas )</source>
        <translation>(&gt; with the Down arrow key)</translation>
    </message>
    <message>
        <source>Période de cadencement automatique</source>
        <translation>Automatic timing interval</translation>
    </message>
    <message>
        <source>Secondes</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Exporter…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Enregistrer les trajets choisis en GPX ou en KML</source>
        <translation>Save the chosen tracks as GPX or KML</translation>
    </message>
    <message>
        <source>Au moins un concurrent doit être sélectionné.</source>
        <translation>At least one entrant must be selected.</translation>
    </message>
    <message>
        <source>Les dates doivent être spécifiées .</source>
        <translation>The dates must be specified.</translation>
    </message>
    <message>
        <source>Zoom avant : tracer un rectangle . Zoom arrière : click droit</source>
        <translation>Zoom in: draw a rectangle. Zoom out: right-click</translation>
    </message>
    <message>
        <source>Panoramique : déplacer la carte</source>
        <translation>Pan: move the chart</translation>
    </message>
    <message>
        <source>Affiche les détails sur une position</source>
        <translation>Shows the details of a position</translation>
    </message>
    <message>
        <source>Mesurer des distances (orthodromiques)</source>
        <translation>Measure (great-circle) distances</translation>
    </message>
    <message>
        <source>Affiche le classement du jour</source>
        <translation>Shows the day&apos;s ranking</translation>
    </message>
    <message>
        <source>Retrace les parcours (fonction Trajets)</source>
        <translation>Replays the courses sailed (Tracks function)</translation>
    </message>
    <message>
        <source>Affiche la route théorique générale</source>
        <translation>Shows the overall theoretical route</translation>
    </message>
    <message>
        <source>Actualise les données du jour (connexion à Internet)</source>
        <translation>Updates the day&apos;s data (Internet connection)</translation>
    </message>
    <message>
        <source>Aide </source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Exporter les trajets</source>
        <translation>Export the tracks</translation>
    </message>
    <message>
        <source>Comment on s&apos;en sert ?</source>
        <translation>How do I use it?</translation>
    </message>
    <message>
        <source>Où installer les archives ?</source>
        <translation>&amp;Where to install the archives?</translation>
    </message>
    <message>
        <source>&amp;Zoomer</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>&amp;Panoramique</source>
        <translation>&amp;Pan</translation>
    </message>
    <message>
        <source>&amp;Afficher</source>
        <translation>D&amp;etails</translation>
    </message>
    <message>
        <source>Da&amp;te</source>
        <translation>D&amp;ate</translation>
    </message>
    <message>
        <source>&amp;Distances</source>
        <translation>&amp;Distances</translation>
    </message>
    <message>
        <source>&amp;Classement</source>
        <translation>&amp;Ranking</translation>
    </message>
    <message>
        <source>&amp;Trajets</source>
        <translation>&amp;Tracks</translation>
    </message>
    <message>
        <source>&amp;Route</source>
        <translation>R&amp;oute</translation>
    </message>
    <message>
        <source>&amp;Globale théorique</source>
        <translation>&amp;Overall theoretical route</translation>
    </message>
    <message>
        <source>Actuali&amp;ser</source>
        <translation>&amp;Update</translation>
    </message>
    <message>
        <source>&amp;Vue</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Film &amp;continu de la course</source>
        <translation>Continuous &amp;replay of the race</translation>
    </message>
    <message>
        <source>&amp;Enregistrer l&apos;image…</source>
        <translation>&amp;Save image…</translation>
    </message>
    <message>
        <source>Co&amp;pier l&apos;image</source>
        <translation>&amp;Copy image</translation>
    </message>
    <message>
        <source>A&amp;ide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Comment on s&apos;en sert ?</source>
        <translation>&amp;How do I use it?</translation>
    </message>
    <message>
        <source>&amp;A propos</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&amp;Barre d&apos;outils</source>
        <translation>Tool&amp;bar</translation>
    </message>
    <message>
        <source>A&amp;fficher </source>
        <translation>&amp;Show</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Sélectionner une option  | (Double cliquer pour quitter une option)</source>
        <translation>Select an option  | (Double-click to leave an option)</translation>
    </message>
    <message>
        <source>Sélectionner une option | (Double cliquer pour quitter une option)</source>
        <translation>Select an option | (Double-click to leave an option)</translation>
    </message>
    <message>
        <source>Date de fin atteinte : appuyer sur ECHAP</source>
        <translation>End date reached: press ESC</translation>
    </message>
    <message>
        <source>Appuyer sur la flêche curseur vers le bas pour le jour suivant |  Page préc = zoom arrière  | Page suiv = zoom avant</source>
        <translation>Press the Down arrow key for the next day |  Page Up = zoom out  | Page Down = zoom in</translation>
    </message>
    <message>
        <source>Pour se repasser le film de la course ! </source>
        <translation>To watch the race again!</translation>
    </message>
    <message>
        <source>Les trajets ne sont pas constitués : aucun fichier du jour lisible.</source>
        <translation>The tracks are not built: no readable day file.</translation>
    </message>
    <message>
        <source>Trajets enregistrés dans « %1 »</source>
        <translation>Tracks saved in “%1”</translation>
    </message>
    <message>
        <source>Film : %1 - jour %2%3</source>
        <translation>Replay: %1 - day %2%3</translation>
    </message>
    <message>
        <source> (pause)</source>
        <translation> (paused)</translation>
    </message>
    <message>
        <source>Samedi</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Dimanche</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Lundi</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Mardi</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Mercredi</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Jeudi</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Vendredi</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>JANVIER  </source>
        <translation>JANUARY  </translation>
    </message>
    <message>
        <source>FEVRIER  </source>
        <translation>FEBRUARY </translation>
    </message>
    <message>
        <source>MARS     </source>
        <translation>MARCH    </translation>
    </message>
    <message>
        <source>AVRIL    </source>
        <translation>APRIL    </translation>
    </message>
    <message>
        <source>MAI      </source>
        <translation>MAY      </translation>
    </message>
    <message>
        <source>JUIN     </source>
        <translation>JUNE     </translation>
    </message>
    <message>
        <source>JUILLET  </source>
        <translation>JULY     </translation>
    </message>
    <message>
        <source>AOUT     </source>
        <translation>AUGUST   </translation>
    </message>
    <message>
        <source>SEPTEMBRE</source>
        <translation>SEPTEMBER</translation>
    </message>
    <message>
        <source>OCTOBRE  </source>
        <translation>OCTOBER  </translation>
    </message>
    <message>
        <source>NOVEMBRE </source>
        <translation>NOVEMBER </translation>
    </message>
    <message>
        <source>DECEMBRE </source>
        <translation>DECEMBER </translation>
    </message>
    <message>
        <source>relevé</source>
        <translation>fix</translation>
    </message>
    <message>
        <source>interpolé</source>
        <translation>interpolated</translation>
    </message>
    <message>
        <source>estimé</source>
        <translation>estimated</translation>
    </message>
    <message>
        <source>arrivé</source>
        <translation>finished</translation>
    </message>
    <message>
        <source>abandon</source>
        <translation>retired</translation>
    </message>
    <message>
        <source>dernière position connue</source>
        <translation>last known position</translation>
    </message>
    <message>
        <source>fr_FR</source>
        <comment>locale of the dates</comment>
        <translation>en_GB</translation>
    </message>
    <message>
        <source>%1, %2h%3 UTC · jour %4</source>
        <translation>%1, %2:%3 UTC · day %4</translation>
    </message>
    <message>
        <source>pas un classeur Excel 97 ou plus récent</source>
        <translation>not an Excel 97 (or later) workbook</translation>
    </message>
    <message>
        <source>classeur illisible (secteurs)</source>
        <translation>unreadable workbook (sectors)</translation>
    </message>
    <message>
        <source>classeur illisible (répertoire)</source>
        <translation>unreadable workbook (directory)</translation>
    </message>
    <message>
        <source>classeur trop grand</source>
        <translation>workbook too large</translation>
    </message>
    <message>
        <source>classeur illisible (flux %1)</source>
        <translation>unreadable workbook (stream %1)</translation>
    </message>
    <message>
        <source>pas de classeur Excel 97 dans le fichier</source>
        <translation>no Excel 97 workbook in the file</translation>
    </message>
    <message>
        <source>classeur illisible (table des secteurs)</source>
        <translation>unreadable workbook (sector table)</translation>
    </message>
    <message>
        <source>classeur illisible</source>
        <translation>unreadable workbook</translation>
    </message>
    <message>
        <source>classeur illisible (textes partagés)</source>
        <translation>unreadable workbook (shared strings)</translation>
    </message>
    <message>
        <source>pas de feuille « %1 »</source>
        <translation>no sheet “%1”</translation>
    </message>
    <message>
        <source>feuille « %1 » trop grande pour un classement</source>
        <translation>sheet “%1” too large for a ranking</translation>
    </message>
    <message>
        <source>feuille « %1 » illisible</source>
        <translation>sheet “%1” unreadable</translation>
    </message>
    <message>
        <source>fichier absent</source>
        <translation>file missing</translation>
    </message>
    <message>
        <source>Écriture impossible de « %1 » : %2.</source>
        <translation>Cannot write “%1”: %2.</translation>
    </message>
    <message>
        <source>disque plein</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>quota du disque dépassé</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>fichier trop grand pour ce système (taille limitée)</source>
        <translation>file too large for this system (size limit)</translation>
    </message>
    <message>
        <source>écriture interdite dans ce dossier</source>
        <translation>writing not allowed in this folder</translation>
    </message>
    <message>
        <source>disque en lecture seule</source>
        <translation>read-only disk</translation>
    </message>
    <message>
        <source>dossier absent</source>
        <translation>folder missing</translation>
    </message>
    <message>
        <source>erreur du disque</source>
        <translation>disk error</translation>
    </message>
    <message>
        <source>c&apos;est un dossier</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>erreur système %1</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>image impossible à coder en PNG</source>
        <translation>image cannot be encoded as PNG</translation>
    </message>
    <message>
        <source>%1 du %2 concurrent</source>
        <translation>%1 of entrant %2</translation>
    </message>
    <message>
        <source>Classement illisible : %1 ; rien n&apos;est écrit.</source>
        <translation>Unreadable ranking: %1; nothing was written.</translation>
    </message>
    <message>
        <source>Classement illisible : aucun concurrent sous la ligne « 1 » ; rien n&apos;est écrit.</source>
        <translation>Unreadable ranking: no entrant below the “1” row; nothing was written.</translation>
    </message>
    <message>
        <source> vide</source>
        <translation> is empty</translation>
    </message>
    <message>
        <source> « %1 » n&apos;est pas un nombre</source>
        <translation> “%1” is not a number</translation>
    </message>
    <message>
        <source>Classement illisible : pas de ligne « 1 » dans la feuille RECLASS (disposition 97).</source>
        <translation>Unreadable ranking: no “1” row in the RECLASS sheet (1997 layout).</translation>
    </message>
    <message>
        <source>Classement illisible : pas de ligne « Pos. » dans la feuille RECLASS (disposition 2000).</source>
        <translation>Unreadable ranking: no “Pos.” row in the RECLASS sheet (2000 layout).</translation>
    </message>
    <message>
        <source>Classement illisible : pas de ligne « 1 » sous « Pos. » dans la feuille RECLASS.</source>
        <translation>Unreadable ranking: no “1” row below “Pos.” in the RECLASS sheet.</translation>
    </message>
    <message>
        <source> : virgule décimale, un point est attendu</source>
        <translation>: decimal comma, a point is expected</translation>
    </message>
    <message>
        <source> n&apos;est pas un nombre</source>
        <translation> is not a number</translation>
    </message>
    <message>
        <source> : hors de %1 à %2%3</source>
        <translation>: outside %1 to %2%3</translation>
    </message>
    <message>
        <source>blocs incomplets</source>
        <translation>incomplete blocks</translation>
    </message>
    <message>
        <source> « %1 » : skipper inconnu</source>
        <translation> “%1”: unknown skipper</translation>
    </message>
    <message>
        <source> « %1 » : skipper déjà classé</source>
        <translation> “%1”: skipper already ranked</translation>
    </message>
    <message>
        <source> « %1 » : le premier doit être « 1 »</source>
        <translation> “%1”: the first one must be “1”</translation>
    </message>
    <message>
        <source> « %1 » : classé après un non classé</source>
        <translation> “%1”: ranked after an unranked entrant</translation>
    </message>
    <message>
        <source> « %1 » : hors de 1 à %2</source>
        <translation> “%1”: outside 1 to %2</translation>
    </message>
    <message>
        <source> « %1 » : rang répété</source>
        <translation> “%1”: repeated rank</translation>
    </message>
    <message>
        <source> : un nombre, pas un statut</source>
        <translation>: a number, not a status</translation>
    </message>
    <message>
        <source> : doit commencer par « le » ou par « A »</source>
        <translation>: must start with “le” or with “A”</translation>
    </message>
    <message>
        <source> « %1 » : caractère impossible à écrire en code page 1252</source>
        <translation> “%1”: character that cannot be written in code page 1252</translation>
    </message>
    <message>
        <source> : heure hors de la course (du %1 au %2)</source>
        <translation>: time outside the race (%1 to %2)</translation>
    </message>
    <message>
        <source> « %1 » : minutes au-delà de 60 (DD.MM attendu)</source>
        <translation> “%1”: minutes over 60 (DD.MM expected)</translation>
    </message>
    <message>
        <source> : fin de bloc absente</source>
        <translation>: end of block missing</translation>
    </message>
    <message>
        <source>rang %1 absent (%2 concurrents classés)</source>
        <translation>rank %1 missing (%2 entrants ranked)</translation>
    </message>
    <message>
        <source>relu, %1 concurrents classés au lieu de %2</source>
        <translation>read back, %1 entrants ranked instead of %2</translation>
    </message>
    <message>
        <source>relu, le %1 concurrent (%2) ne donne pas ce que dit la feuille</source>
        <translation>read back, entrant %1 (%2) does not give what the sheet says</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas sur la carte à cet instant : l&apos;image est cadrée sur la flotte.</source>
        <translation>%1 is not on the chart at that moment: the image is framed on the fleet.</translation>
    </message>
    <message>
        <source>Aucun concurrent</source>
        <translation>No entrant</translation>
    </message>
    <message>
        <source>Impossible de lire le fichier « %1 » (%2).</source>
        <translation>Cannot read the file “%1” (%2).</translation>
    </message>
    <message>
        <source>lecture impossible</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>Le fichier du %1 porterait le nom de celui du %2, un jour de la course : rien n&apos;est écrit.</source>
        <translation>The file for %1 would bear the name of the one for %2, a day of the race: nothing was written.</translation>
    </message>
    <message>
        <source>Classement introuvable : %1 (%2).</source>
        <translation>Ranking not found: %1 (%2).</translation>
    </message>
    <message>
        <source>Classement illisible : %1 dans la page %2.</source>
        <translation>Unreadable ranking: %1 in the page %2.</translation>
    </message>
    <message>
        <source>Classement introuvable : « %1 » n&apos;est pas un fichier.</source>
        <translation>Ranking not found: “%1” is not a file.</translation>
    </message>
    <message>
        <source>Classement illisible : « %1 » est trop grand, plus de %2 Mo.</source>
        <translation>Unreadable ranking: “%1” is too large, more than %2 MB.</translation>
    </message>
    <message>
        <source>Classement introuvable : « %1 » (%2).</source>
        <translation>Ranking not found: “%1” (%2).</translation>
    </message>
    <message>
        <source>fichier illisible</source>
        <translation>unreadable file</translation>
    </message>
    <message>
        <source>Classement illisible : %1 dans « %2 ».</source>
        <translation>Unreadable ranking: %1 in “%2”.</translation>
    </message>
    <message>
        <source>Classement introuvable : « %1 » (fichier absent).</source>
        <translation>Ranking not found: “%1” (file missing).</translation>
    </message>
    <message>
        <source>page trop imbriquée (plus de %1 tableaux l&apos;un dans l&apos;autre)</source>
        <translation>page nested too deeply (more than %1 tables one inside another)</translation>
    </message>
    <message>
        <source>pas de tableau</source>
        <translation>no table</translation>
    </message>
    <message>
        <source>1er</source>
        <translation>no. 1</translation>
    </message>
    <message>
        <source>%1e</source>
        <translation>no. %1</translation>
    </message>
    <message>
        <source>%1 (%2) — %3 — %4 milles, %5</source>
        <translation>%1 (%2) — %3 — %4 miles, %5</translation>
    </message>
    <message>
        <source>connexion sécurisée (https) impossible sur ce système</source>
        <translation>secure connection (https) not possible on this system</translation>
    </message>
    <message>
        <source>page trop grande, plus de %1 Mo</source>
        <translation>page too large, more than %1 MB</translation>
    </message>
    <message>
        <source>page incomplète après %1 s</source>
        <translation>page incomplete after %1 s</translation>
    </message>
    <message>
        <source>pas de réponse en %1 s</source>
        <translation>no response within %1 s</translation>
    </message>
    <message>
        <source>trop de redirections</source>
        <translation>too many redirects</translation>
    </message>
    <message>
        <source>redirection sans adresse (statut %1)</source>
        <translation>redirect without an address (status %1)</translation>
    </message>
    <message>
        <source>redirection vers une adresse qui n&apos;est pas une page web (« %1 »)</source>
        <translation>redirect to an address that is not a web page (“%1”)</translation>
    </message>
    <message>
        <source>page incomplète : %1 octets reçus sur %2</source>
        <translation>page incomplete: %1 bytes received out of %2</translation>
    </message>
    <message>
        <source>page envoyée compressée (%1)</source>
        <translation>page sent compressed (%1)</translation>
    </message>
    <message>
        <source>serveur introuvable</source>
        <translation>server not found</translation>
    </message>
    <message>
        <source>connexion refusée</source>
        <translation>connection refused</translation>
    </message>
    <message>
        <source>page introuvable, erreur %1</source>
        <translation>page not found, error %1</translation>
    </message>
    <message>
        <source>redirection refusée vers une adresse moins sûre (« %1 »)</source>
        <translation>redirect to a less secure address refused (“%1”)</translation>
    </message>
    <message>
        <source>échec de la connexion sécurisée</source>
        <translation>secure connection failed</translation>
    </message>
    <message>
        <source>le serveur répond par l&apos;erreur %1</source>
        <translation>the server answers with error %1</translation>
    </message>
    <message>
        <source>transfert interrompu</source>
        <translation>transfer interrupted</translation>
    </message>
    <message>
        <source>erreur réseau %1</source>
        <translation>network error %1</translation>
    </message>
    <message>
        <source>Lecture impossible du fichier « %1 » : les trajets ne sont pas constitués.</source>
        <translation>Cannot read the file “%1”: the tracks are not built.</translation>
    </message>
    <message>
        <source>Extension inconnue : le fichier doit finir par .gpx ou .kml.</source>
        <translation>Unknown extension: the file name must end with .gpx or .kml.</translation>
    </message>
    <message>
        <source>Aucune position pour ces concurrents sur cette période.</source>
        <translation>No position for these entrants over this period.</translation>
    </message>
    <message>
        <source>Equateur</source>
        <translation>Equator</translation>
    </message>
    <message>
        <source>Tropique du Cancer</source>
        <translation>Tropic of Cancer</translation>
    </message>
    <message>
        <source>Tropique du Capricorne</source>
        <translation>Tropic of Capricorn</translation>
    </message>
    <message>
        <source>Cercle Polaire Arctique</source>
        <translation>Arctic Circle</translation>
    </message>
    <message>
        <source>Cercle Polaire antarctique</source>
        <translation>Antarctic Circle</translation>
    </message>
    <message>
        <source>accès refusé</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>ouverture impossible</source>
        <translation>cannot be opened</translation>
    </message>
    <message>
        <source>erreur de lecture</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>ressources du système épuisées</source>
        <translation>system resources exhausted</translation>
    </message>
    <message>
        <source>délai dépassé</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>lecture interrompue</source>
        <translation>reading interrupted</translation>
    </message>
    <message>
        <source>erreur d&apos;entrée-sortie</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>fichier trop grand (plus de %1 Mo)</source>
        <translation>file too large (more than %1 MB)</translation>
    </message>
    <message>
        <source>fichier introuvable</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>mémoire insuffisante</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>Répertoire des cartes pixellisées non trouvé</source>
        <translation>Raster chart folder not found</translation>
    </message>
    <message>
        <source>Impossible de lire la carte %1 : %2.</source>
        <translation>Cannot read the chart %1: %2.</translation>
    </message>
    <message>
        <source> :impossible de charger</source>
        <translation>: cannot be loaded</translation>
    </message>
    <message>
        <source>Le répertoire des cartes n&apos;a pas pu être mémorisé dans « %1 ».</source>
        <translation>The chart folder could not be stored in “%1”.</translation>
    </message>
    <message>
        <source>Visionneuse des positions quotidiennes
de la course autour du monde en solitaire.

Cartes : Natural Earth (domaine public),
GSHHG (LGPL).
Concurrents, skippers et bateaux imaginaires.</source>
        <translation>Viewer of the daily positions
of the single-handed round-the-world race.

Charts: Natural Earth (public domain),
GSHHG (LGPL).
Entrants, skippers and boats are fictitious.</translation>
    </message>
    <message>
        <source>--langue : « %1 » (fr ou en).</source>
        <translation>--langue: “%1” (fr or en).</translation>
    </message>
    <message numerus="yes">
        <source>Classement incomplet : %n concurrent(s) au lieu de %1 ; rien n&apos;est écrit.</source>
        <translation>
            <numerusform>Incomplete ranking: %n entrant instead of %1; nothing was written.</numerusform>
            <numerusform>Incomplete ranking: %n entrants instead of %1; nothing was written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>« %1 » : %n point(s) ignoré(s), coordonnées illisibles (%2).</source>
        <translation>
            <numerusform>“%1”: %n point ignored, unreadable coordinates (%2).</numerusform>
            <numerusform>“%1”: %n points ignored, unreadable coordinates (%2).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Traînée : %n jour(s)</source>
        <translation>
            <numerusform>Trail: %n day</numerusform>
            <numerusform>Trail: %n days</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 h/s</source>
        <translation>%1 h/s</translation>
    </message>
    <message numerus="yes">
        <source>%n jour(s)/s</source>
        <translation>
            <numerusform>%n day/s</numerusform>
            <numerusform>%n days/s</numerusform>
        </translation>
    </message>
    <message>
        <source>Le fichier d&apos;aide « %1 » est introuvable à côté du programme.</source>
        <translation>The help file “%1” cannot be found next to the program.</translation>
    </message>
    <message>
        <source>&amp;Langue</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Le choix de la langue n&apos;a pas pu être enregistré dans les réglages.</source>
        <translation>The choice of language could not be saved in the settings.</translation>
    </message>
    <message>
        <source>Orvalis restera dans cette langue.</source>
        <translation>Orvalis will stay in this language.</translation>
    </message>
    <message>
        <source>Orvalis sera en anglais à son prochain démarrage.</source>
        <translation>Orvalis will be in English the next time it starts.</translation>
    </message>
    <message>
        <source>Orvalis sera en français à son prochain démarrage.</source>
        <translation>Orvalis will be in French the next time it starts.</translation>
    </message>
    <message>
        <source>Statistiq&amp;ues</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>Pos  Skipper    Bateau                                    Lat      Long    Cap    Vit</source>
        <comment>heading of the ranking&apos;s columns: each word starts where the French one does</comment>
        <translation>Pos  Skipper    Boat                                      Lat      Long    Hdg    Spd</translation>
    </message>
    <message>
        <source>nds</source>
        <comment>knots, at most 4 characters</comment>
        <translation>kts</translation>
    </message>
    <message>
        <source>Image d&apos;accueil « Zelto1.bmp » introuvable ou illisible.</source>
        <translation>Welcome picture “Zelto1.bmp” missing or unreadable.</translation>
    </message>
    <message>
        <source>Classement du %1 à %2 UTC</source>
        <translation>Ranking of %1 at %2 UTC</translation>
    </message>
    <message>
        <source>Actualisation désactivée (posorvls.ini : Excel=non).</source>
        <translation>Update disabled (posorvls.ini: Excel=non).</translation>
    </message>
    <message>
        <source>Images par seconde : %1 (de 1 à 120).</source>
        <translation>Frames per second: %1 (1 to 120).</translation>
    </message>
    <message>
        <source>Vitesse : au moins une seconde de course par seconde de vidéo.</source>
        <translation>Speed: at least one second of race per second of video.</translation>
    </message>
    <message>
        <source>Taille de la vidéo : %1×%2 pixels (de 16×16 à %3×%4).</source>
        <translation>Video size: %1×%2 pixels (16×16 to %3×%4).</translation>
    </message>
    <message>
        <source>« %1 » : le nom de la vidéo doit finir par .mp4 ou .webm.</source>
        <translation>“%1”: the video’s name must end in .mp4 or .webm.</translation>
    </message>
    <message>
        <source>Le programme ffmpeg est introuvable : installez le paquet « ffmpeg » (sudo apt-get install ffmpeg).</source>
        <translation>The ffmpeg program cannot be found: install the “ffmpeg” package (sudo apt-get install ffmpeg).</translation>
    </message>
    <message>
        <source>« %1 » est un dossier.</source>
        <translation>“%1” is a folder.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans le dossier « %1 » : %2</source>
        <translation>Cannot write in the folder “%1”: %2</translation>
    </message>
    <message>
        <source>ffmpeg n&apos;a pas pu démarrer : %1</source>
        <translation>ffmpeg could not start: %1</translation>
    </message>
    <message>
        <source>ffmpeg s&apos;est arrêté : %1</source>
        <translation>ffmpeg stopped: %1</translation>
    </message>
    <message>
        <source>Écriture vers ffmpeg impossible : %1</source>
        <translation>Cannot write to ffmpeg: %1</translation>
    </message>
    <message>
        <source>ffmpeg a échoué (code %1) : %2</source>
        <translation>ffmpeg failed (code %1): %2</translation>
    </message>
    <message>
        <source>Impossible de nommer la vidéo « %1 » : %2</source>
        <translation>Cannot name the video “%1”: %2</translation>
    </message>
    <message>
        <source>Exporter la vidéo…</source>
        <translation>Export video…</translation>
    </message>
    <message>
        <source>Le film en vidéo MP4 ou WebM (ffmpeg)</source>
        <translation>The film as an MP4 or WebM video (ffmpeg)</translation>
    </message>
    <message>
        <source>Exporter la vidéo</source>
        <translation>Export video</translation>
    </message>
    <message>
        <source>&amp;Période (du, au) :</source>
        <translation>&amp;Period (from, to):</translation>
    </message>
    <message>
        <source>&amp;Temps de course par seconde :</source>
        <translation>&amp;Race time per second:</translation>
    </message>
    <message>
        <source>%1 images/s</source>
        <translation>%1 frames/s</translation>
    </message>
    <message>
        <source>&amp;Images par seconde :</source>
        <translation>&amp;Frames per second:</translation>
    </message>
    <message>
        <source>la carte de la fenêtre (%1×%2)</source>
        <translation>the window&apos;s chart (%1×%2)</translation>
    </message>
    <message>
        <source>%1×%2 (densité 2)</source>
        <translation>%1×%2 (density 2)</translation>
    </message>
    <message>
        <source>T&amp;aille :</source>
        <translation>Si&amp;ze:</translation>
    </message>
    <message>
        <source>T&amp;raînée :</source>
        <translation>&amp;Trail:</translation>
    </message>
    <message>
        <source>&amp;Suivre :</source>
        <translation>F&amp;ollow:</translation>
    </message>
    <message>
        <source>Parc&amp;ourir…</source>
        <translation>&amp;Browse…</translation>
    </message>
    <message>
        <source>&amp;Fichier (.mp4, .webm) :</source>
        <translation>F&amp;ile (.mp4, .webm):</translation>
    </message>
    <message>
        <source>Vidéo MP4, H.264 (*.mp4);;Vidéo WebM, VP9 (*.webm)</source>
        <translation>MP4 video, H.264 (*.mp4);;WebM video, VP9 (*.webm)</translation>
    </message>
    <message>
        <source>E&amp;xporter</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <source>Exportation de la vidéo…</source>
        <translation>Exporting the video…</translation>
    </message>
    <message>
        <source>Exportation annulée : aucune vidéo écrite.</source>
        <translation>Export cancelled: no video written.</translation>
    </message>
    <message>
        <source>Vidéo enregistrée dans « %1 »</source>
        <translation>Video saved in “%1”</translation>
    </message>
    <message>
        <source>le %1 à %2 UTC</source>
        <translation>on %1 at %2 UTC</translation>
    </message>
    <message>
        <source>--scale : image de %1x%2 pixels, plus de %3 de côté.</source>
        <translation>--scale: picture of %1x%2 pixels, more than %3 a side.</translation>
    </message>
    <message>
        <source>--video : le nom du fichier doit finir par .mp4 ou .webm.</source>
        <translation>--video: the file&apos;s name must end in .mp4 or .webm.</translation>
    </message>
    <message>
        <source>--vitesse : « %1 » (heures de course par seconde de vidéo, de 0.01 à 8760).</source>
        <translation>--vitesse: “%1” (hours of race per second of video, 0.01 to 8760).</translation>
    </message>
    <message>
        <source>--fps : « %1 » (de 1 à 120 images par seconde).</source>
        <translation>--fps: “%1” (1 to 120 frames per second).</translation>
    </message>
    <message>
        <source>--du et --au s&apos;emploient avec --instant quand --incrustations est donnée.</source>
        <translation>--du and --au go with --instant when --incrustations is given.</translation>
    </message>
    <message>
        <source>Vidéo interrompue : aucun fichier écrit.</source>
        <translation>Video interrupted: no file written.</translation>
    </message>
    <message>
        <source>jusqu&apos;au</source>
        <translation>to</translation>
    </message>
    <message>
        <source>rang</source>
        <translation>rank</translation>
    </message>
    <message>
        <source>nom</source>
        <translation>name</translation>
    </message>
    <message>
        <source>statut</source>
        <translation>status</translation>
    </message>
    <message>
        <source>latitude</source>
        <translation>latitude</translation>
    </message>
    <message>
        <source>longitude</source>
        <translation>longitude</translation>
    </message>
    <message>
        <source>distance</source>
        <translation>distance</translation>
    </message>
    <message>
        <source>cap</source>
        <translation>heading</translation>
    </message>
    <message>
        <source>vitesse</source>
        <translation>speed</translation>
    </message>
    <message>
        <source>position</source>
        <translation>position</translation>
    </message>
    <message>
        <source>1er</source>
        <comment>first (entrant)</comment>
        <translation>no. 1</translation>
    </message>
    <message>
        <source>%1e</source>
        <comment>ordinal: 3e is 3rd</comment>
        <translation>no. %1</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source> nœuds</source>
        <translation> knots</translation>
    </message>
    <message>
        <source>HH&apos;h&apos;mm</source>
        <comment>Qt time format: 20h00</comment>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Images PNG (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>La période de la vidéo ne tient aucune position des archives.</source>
        <translation>The video&apos;s period holds no position of the archives.</translation>
    </message>
    <message>
        <source>« %1 » est protégé en écriture : la vidéo n&apos;est pas écrite.</source>
        <translation>“%1” is write-protected: the video is not written.</translation>
    </message>
    <message>
        <source>Distance orthodromique : %1 milles</source>
        <translation>Great-circle distance: %1 miles</translation>
    </message>
    <message>
        <source>Distance loxodromique : %1 milles</source>
        <translation>Rhumb-line distance: %1 miles</translation>
    </message>
    <message>
        <source>Cap loxodromique : %1</source>
        <translation>Rhumb-line heading: %1</translation>
    </message>
    <message>
        <source>Points intermédiaires : %1</source>
        <translation>Intermediate points: %1</translation>
    </message>
    <message>
        <source>Point %1 : %2 %3 cap %4</source>
        <translation>Point %1: %2 %3 heading %4</translation>
    </message>
    <message>
        <source>Arrivée : %1 %2 cap %3</source>
        <translation>Arrival: %1 %2 heading %3</translation>
    </message>
    <message>
        <source>« %1 » existe déjà. Le remplacer ?</source>
        <translation>“%1” already exists. Replace it?</translation>
    </message>
    <message>
        <source> Autre date ?</source>
        <translation> Another date?</translation>
    </message>
    <message>
        <source>Fichier du jour illisible : « %1 » (aucun concurrent lu).</source>
        <translation>Unreadable day file: “%1” (no entrant read).</translation>
    </message>
    <message>
        <source>Valeurs impossibles lues comme absentes dans : %1.</source>
        <translation>Impossible values read as missing in: %1.</translation>
    </message>
    <message>
        <source>Écriture impossible sur la sortie standard : %1.</source>
        <translation>Cannot write to the standard output: %1.</translation>
    </message>
    <message>
        <source>Écriture impossible sur la sortie standard.</source>
        <translation>Cannot write to the standard output.</translation>
    </message>
    <message>
        <source> : une heure sans position</source>
        <translation>: a time without a position</translation>
    </message>
    <message>
        <source> : heure illisible (le JJ/MM/AAAA à HHhMM attendu)</source>
        <translation>: unreadable time (le JJ/MM/AAAA à HHhMM expected)</translation>
    </message>
    <message>
        <source>page coupée (son tableau n&apos;est pas fermé)</source>
        <translation>page cut short (its table is not closed)</translation>
    </message>
    <message>
        <source>Fichiers du jour illisibles, laissés de côté : %1.</source>
        <translation>Unreadable day files, left out: %1.</translation>
    </message>
    <message>
        <source>Vidéo trop longue : %1 images (au plus %2) ; prenez une vitesse plus grande ou une période plus courte.</source>
        <translation>Video too long: %1 frames (at most %2); choose a higher speed or a shorter period.</translation>
    </message>
    <message>
        <source>ffmpeg n&apos;a pas fini %1 s après la dernière image : vidéo abandonnée.</source>
        <translation>ffmpeg had not finished %1 s after the last frame: video abandoned.</translation>
    </message>
    <message>
        <source>ffmpeg ne prend plus les images depuis %1 s : vidéo abandonnée.</source>
        <translation>ffmpeg has taken no frame for %1 s: video abandoned.</translation>
    </message>
    <message>
        <source>ffmpeg dit avoir fini mais n&apos;a rien écrit : aucune vidéo.</source>
        <translation>ffmpeg says it finished but wrote nothing: no video.</translation>
    </message>
    <message>
        <source>La vidéo écrite par ffmpeg tient %1 images sur %2 : elle n&apos;est pas gardée.</source>
        <translation>The video written by ffmpeg holds %1 frames of %2: it is not kept.</translation>
    </message>
    <message>
        <source>Le répertoire des cartes n&apos;a pas pu être mémorisé : le fichier des réglages n&apos;est pas un fichier ordinaire.</source>
        <translation>The map folder could not be remembered: the settings file is not a regular file.</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas un fichier ordinaire : les réglages par défaut sont pris.</source>
        <translation>“%1” is not a regular file: the default settings are used.</translation>
    </message>
    <message>
        <source>Cadrer la flotte</source>
        <translation>Frame the fleet</translation>
    </message>
    <message>
        <source>Tous les bateaux du moment dans la vue (F)</source>
        <translation>Every boat of the moment in view (F)</translation>
    </message>
    <message>
        <source>Écart (milles)</source>
        <translation>Gap (miles)</translation>
    </message>
    <message>
        <source>à l&apos;arrivée : %1</source>
        <translation>to the finish: %1</translation>
    </message>
    <message>
        <source>Film continu : Espace lecture/pause | ↑ ↓ vitesse | ← → une heure | Ctrl+← → un jour | Début Fin | F cadrer la flotte | Échap ferme</source>
        <translation>Continuous replay: Space play/pause | ↑ ↓ speed | ← → one hour | Ctrl+← → one day | Home End | F frame the fleet | Esc closes</translation>
    </message>
    <message>
        <source>Suivi : %1 n&apos;a pas encore pris le départ, il n&apos;est pas sur la carte.</source>
        <translation>Following: %1 has not started yet, it is not on the chart.</translation>
    </message>
    <message>
        <source>Suivi : %1 a abandonné.</source>
        <translation>Following: %1 has retired.</translation>
    </message>
    <message>
        <source>Suivi : %1 a abandonné, il n&apos;est plus sur la carte.</source>
        <translation>Following: %1 has retired, it is no longer on the chart.</translation>
    </message>
    <message>
        <source>Suivi : %1 n&apos;est pas sur la carte à cet instant.</source>
        <translation>Following: %1 is not on the chart at this moment.</translation>
    </message>
    <message>
        <source>Suivi arrêté : la vue est la vôtre.</source>
        <translation>Following stopped: the view is yours.</translation>
    </message>
    <message>
        <source>%1 ou %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>%1 : nom de fichier manquant.</source>
        <translation>%1: file name missing.</translation>
    </message>
    <message>
        <source>%1 ne s&apos;emploie pas avec %2 ; elle s&apos;emploie avec %3.</source>
        <translation>%1 does not go with %2; it goes with %3.</translation>
    </message>
    <message>
        <source>%1 s&apos;emploie avec %2.</source>
        <translation>%1 goes with %2.</translation>
    </message>
    <message>
        <source>Description de la course illisible : « %1 », ligne %2 : %3.</source>
        <translation>Unreadable race description: “%1”, line %2: %3.</translation>
    </message>
    <message>
        <source>section inconnue « %1 »</source>
        <translation>unknown section “%1”</translation>
    </message>
    <message>
        <source>un concurrent a 8 champs séparés par « ; » (skipper;bateau;gréement;longueur;poids en charge;voilure au près;voilure au portant;photo), pas %1</source>
        <translation>an entrant has 8 fields separated by “;” (skipper;boat;rig;length;loaded weight;upwind sail area;downwind sail area;picture), not %1</translation>
    </message>
    <message>
        <source>concurrent sans nom</source>
        <translation>entrant without a name</translation>
    </message>
    <message>
        <source>« %1 » déjà nommé</source>
        <translation>“%1” named twice</translation>
    </message>
    <message>
        <source>« %1 » hors d&apos;une section [course] ou [concurrents]</source>
        <translation>“%1” outside a [course] or [concurrents] section</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas une date (JJ/MM/AAAA)</source>
        <translation>“%1” is not a date (JJ/MM/AAAA)</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas un lieu (nom;latitude;longitude en DD.MM)</source>
        <translation>“%1” is not a place (name;latitude;longitude in DD.MM)</translation>
    </message>
    <message>
        <source>clé inconnue « %1 »</source>
        <translation>unknown key “%1”</translation>
    </message>
    <message>
        <source>Description de la course incomplète : « %1 » : %2.</source>
        <translation>Incomplete race description: “%1”: %2.</translation>
    </message>
    <message>
        <source>la course n&apos;a pas de nom (nom=...)</source>
        <translation>the race has no name (nom=...)</translation>
    </message>
    <message>
        <source>la période est à donner, premier jour avant dernier jour</source>
        <translation>the period must be given, first day before last day</translation>
    </message>
    <message>
        <source>aucun concurrent</source>
        <translation>no entrant</translation>
    </message>
    <message>
        <source>Description de la course introuvable : « %1 » (%2).</source>
        <translation>Race description not found: “%1” (%2).</translation>
    </message>
    <message>
        <source>« %1 » : moins de deux points de route, pas de route théorique à tracer.</source>
        <translation>“%1”: fewer than two route points, no theoretical route to draw.</translation>
    </message>
    <message>
        <source>Le fichier du jour est écrit (« %1 »), mais pas la sortie standard : %2</source>
        <translation>The day file is written (“%1”), but not the standard output: %2</translation>
    </message>
    <message>
        <source>ffmpeg n&apos;a rien écrit pendant qu&apos;il prenait les images : la vidéo n&apos;est pas gardée.</source>
        <translation>ffmpeg wrote nothing while it took the frames: the video is not kept.</translation>
    </message>
    <message>
        <source>classeur Excel 97</source>
        <translation>Excel 97 workbook</translation>
    </message>
    <message>
        <source>classeur Excel</source>
        <translation>Excel workbook</translation>
    </message>
    <message>
        <source>fichiers du jour</source>
        <translation>day files</translation>
    </message>
    <message>
        <source>Course introuvable : « %1 » (fichier absent).</source>
        <translation>Race not found: “%1” (file missing).</translation>
    </message>
    <message>
        <source>page web</source>
        <translation>web page</translation>
    </message>
    <message>
        <source>%1 : %2 n&apos;est pas un jour de la course (du %3 au %4).</source>
        <translation>%1: %2 is not a day of the race (from %3 to %4).</translation>
    </message>
    <message>
        <source>--png (carte seule)</source>
        <translation>--png (chart alone)</translation>
    </message>
    <message>
        <source>--png --date</source>
        <translation>--png --date</translation>
    </message>
    <message>
        <source>--png --trajets</source>
        <translation>--png --trajets</translation>
    </message>
    <message>
        <source>--png --instant</source>
        <translation>--png --instant</translation>
    </message>
    <message>
        <source>--png --ecarts</source>
        <translation>--png --ecarts</translation>
    </message>
    <message>
        <source>--distance</source>
        <translation>--distance</translation>
    </message>
    <message>
        <source>--classement</source>
        <translation>--classement</translation>
    </message>
    <message>
        <source>--gpx</source>
        <translation>--gpx</translation>
    </message>
    <message>
        <source>--kml</source>
        <translation>--kml</translation>
    </message>
    <message>
        <source>--actualiser</source>
        <translation>--actualiser</translation>
    </message>
    <message>
        <source>--statistiques</source>
        <translation>--statistiques</translation>
    </message>
    <message>
        <source>--positions</source>
        <translation>--positions</translation>
    </message>
    <message>
        <source>--video</source>
        <translation>--video</translation>
    </message>
    <message>
        <source>--source : adresse ou fichier manquant.</source>
        <translation>--source: address or file missing.</translation>
    </message>
    <message>
        <source>%1 et %2 ne se combinent pas.</source>
        <translation>%1 and %2 cannot be combined.</translation>
    </message>
    <message>
        <source>ligne de plus de 255 caractères</source>
        <translation>line longer than 255 characters</translation>
    </message>
    <message>
        <source>« %1 » : un nom de skipper a %2 caractères au plus</source>
        <translation>“%1”: a skipper&apos;s name has at most %2 characters</translation>
    </message>
    <message>
        <source>« %1 » déjà donné</source>
        <translation>“%1” given twice</translation>
    </message>
    <message>
        <source>« %1 » contient plusieurs descriptions de course (%2) : ouvrir celle qui convient.</source>
        <translation>“%1” holds several race descriptions (%2): open the right one.</translation>
    </message>
    <message>
        <source>La course n&apos;a pas de route théorique.</source>
        <translation>The race has no theoretical route.</translation>
    </message>
    <message>
        <source>Classement illisible : « %1 » n&apos;est d&apos;aucun des formats lus (%2).</source>
        <translation>Unreadable ranking: “%1” is none of the formats read (%2).</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas une course que le programme sait lire (%2).</source>
        <translation>“%1” is not a race the program can read (%2).</translation>
    </message>
    <message>
        <source>Classement calculé (distance à l&apos;arrivée, milles)</source>
        <translation>Computed ranking (distance to the finish, miles)</translation>
    </message>
    <message>
        <source>Ordre alphabétique (la course ne donne pas d&apos;arrivée)</source>
        <translation>Alphabetical order (the race gives no finish)</translation>
    </message>
    <message>
        <source>À l&apos;arrivée (milles)</source>
        <translation>To the finish (miles)</translation>
    </message>
    <message>
        <source>&amp;Ouvrir une course…</source>
        <translation>&amp;Open a race…</translation>
    </message>
    <message>
        <source>La course %1</source>
        <translation>The race %1</translation>
    </message>
    <message>
        <source>Ouvrir une course</source>
        <translation>Open a race</translation>
    </message>
    <message>
        <source>--course : chemin manquant.</source>
        <translation>--course: path missing.</translation>
    </message>
    <message>
        <source>Classement calculé (distance à l&apos;arrivée)</source>
        <translation>Computed ranking (distance to the finish)</translation>
    </message>
    <message>
        <source>fichier coupé avant sa fin</source>
        <translation>file cut before its end</translation>
    </message>
    <message>
        <source>XML mal formé (%1)</source>
        <translation>malformed XML (%1)</translation>
    </message>
    <message>
        <source>Course illisible : « %1 » (%2).</source>
        <translation>Unreadable race: “%1” (%2).</translation>
    </message>
    <message>
        <source>Course refusée : « %1 » fait plus de 1 Go.</source>
        <translation>Race refused: “%1” is larger than 1 GB.</translation>
    </message>
    <message>
        <source>Course illisible : « %1 » (lecture impossible).</source>
        <translation>Unreadable race: “%1” (cannot be read).</translation>
    </message>
    <message>
        <source>Course illisible : « %1 », ligne %2 : %3.</source>
        <translation>Unreadable race: “%1”, line %2: %3.</translation>
    </message>
    <message>
        <source>Course illisible : « %1 », ligne %2, « %3 » : %4.</source>
        <translation>Unreadable race: “%1”, line %2, “%3”: %4.</translation>
    </message>
    <message>
        <source>Course illisible : « %1 » : %2.</source>
        <translation>Unreadable race: “%1”: %2.</translation>
    </message>
    <message>
        <source>plus de %1 bateaux</source>
        <translation>more than %1 boats</translation>
    </message>
    <message>
        <source>position hors limites (%1, %2)</source>
        <translation>position out of range (%1, %2)</translation>
    </message>
    <message>
        <source>plus de %1 positions</source>
        <translation>more than %1 positions</translation>
    </message>
    <message>
        <source>aucune position</source>
        <translation>no position</translation>
    </message>
    <message>
        <source>Départ</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>fichier vide</source>
        <translation>empty file</translation>
    </message>
    <message>
        <source>l&apos;en-tête doit nommer les colonnes nom, heure, latitude et longitude (ou name, time, lat, lon)</source>
        <translation>the header must name the columns nom, heure, latitude and longitude (or name, time, lat, lon)</translation>
    </message>
    <message>
        <source>%1 champs, %2 attendus</source>
        <translation>%1 fields, %2 expected</translation>
    </message>
    <message>
        <source>ligne sans nom</source>
        <translation>line without a name</translation>
    </message>
    <message>
        <source>position sans heure</source>
        <translation>position without a time</translation>
    </message>
    <message>
        <source>heure illisible « %1 » (AAAA-MM-JJTHH:MM:SSZ ou JJ/MM/AAAA HH:MM)</source>
        <translation>unreadable time “%1” (YYYY-MM-DDTHH:MM:SSZ or DD/MM/YYYY HH:MM)</translation>
    </message>
    <message>
        <source>latitude illisible « %1 »</source>
        <translation>unreadable latitude “%1”</translation>
    </message>
    <message>
        <source>longitude illisible « %1 »</source>
        <translation>unreadable longitude “%1”</translation>
    </message>
    <message>
        <source>positions CSV</source>
        <translation>CSV positions</translation>
    </message>
    <message>
        <source>Piste %1</source>
        <translation>Track %1</translation>
    </message>
    <message>
        <source>déclaration de type (DTD) refusée</source>
        <translation>document type declaration (DTD) refused</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier GPX</source>
        <translation>this is not a GPX file</translation>
    </message>
    <message>
        <source>point sans latitude ou longitude lisible</source>
        <translation>point without a readable latitude or longitude</translation>
    </message>
    <message>
        <source>heure illisible « %1 »</source>
        <translation>unreadable time “%1”</translation>
    </message>
    <message>
        <source>« %1 » : %2 routes ou points isolés laissés de côté (seules les traces font la course).</source>
        <translation>“%1”: %2 routes or waypoints left aside (only tracks make the race).</translation>
    </message>
    <message>
        <source>traces GPX</source>
        <translation>GPX tracks</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier KML</source>
        <translation>this is not a KML file</translation>
    </message>
    <message>
        <source>position illisible « %1 »</source>
        <translation>unreadable position “%1”</translation>
    </message>
    <message>
        <source>%1 heures pour %2 positions</source>
        <translation>%1 times for %2 positions</translation>
    </message>
    <message>
        <source>« %1 » : %2 repères sans heure laissés de côté (seules les traces font la course).</source>
        <translation>“%1”: %2 placemarks without a time left aside (only tracks make the race).</translation>
    </message>
    <message>
        <source>Course illisible : « %1 » : archive KMZ illisible.</source>
        <translation>Unreadable race: “%1”: unreadable KMZ archive.</translation>
    </message>
    <message>
        <source>Course illisible : « %1 » : pas de document KML dans l&apos;archive.</source>
        <translation>Unreadable race: “%1”: no KML document in the archive.</translation>
    </message>
    <message>
        <source>Course refusée : « %1 » se décompresse en plus de 1 Go.</source>
        <translation>Race refused: “%1” unpacks to more than 1 GB.</translation>
    </message>
    <message>
        <source>traces KML</source>
        <translation>KML tracks</translation>
    </message>
    <message>
        <source>Temps de course (jours)</source>
        <translation>Time raced (days)</translation>
    </message>
    <message>
        <source>Vitesse moyenne (noeuds)</source>
        <translation>Average speed (knots)</translation>
    </message>
    <message>
        <source>Meilleures 24 h (milles)</source>
        <translation>Best 24 hours (miles)</translation>
    </message>
    <message>
        <source>C&amp;ourse</source>
        <translation>Ra&amp;ce</translation>
    </message>
    <message>
        <source>plus de 1 Go une fois décompressé</source>
        <translation>more than 1 GB once unpacked</translation>
    </message>
    <message>
        <source>%1. Film continu de la course</source>
        <translation>%1. Continuous replay of the race</translation>
    </message>
    <message>
        <source>%1. Positions des concurrents le </source>
        <translation>%1. Entrants&apos; positions on </translation>
    </message>
    <message>
        <source>heure hors des années 1900 à 2199 (%1)</source>
        <translation>time outside the years 1900 to 2199 (%1)</translation>
    </message>
    <message>
        <source>balise ou texte de plus de 16 Mo</source>
        <translation>tag or text of more than 16 MB</translation>
    </message>
    <message>
        <source>Une course de traces n&apos;a pas de classement publié : ni tracé de la course ni rangs jour par jour. Le bilan de chaque bateau :</source>
        <translation>A race of tracks has no published ranking: neither race trace nor ranks day by day. Each boat&apos;s record:</translation>
    </message>
    <message>
        <source>Moderne</source>
        <translation>Modern</translation>
    </message>
    <message>
        <source>Classique</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>St&amp;yle de la carte :</source>
        <translation>Chart st&amp;yle:</translation>
    </message>
    <message>
        <source>Soignée</source>
        <translation>Careful</translation>
    </message>
    <message>
        <source>Rapide (fichier plus gros)</source>
        <translation>Fast (larger file)</translation>
    </message>
    <message>
        <source>&amp;Qualité :</source>
        <translation>&amp;Quality:</translation>
    </message>
    <message>
        <source>Cartons d&apos;ouverture et de clôture</source>
        <translation>Opening and closing cards</translation>
    </message>
    <message>
        <source>St&amp;yle de la carte</source>
        <translation>Chart st&amp;yle</translation>
    </message>
    <message>
        <source>&amp;Moderne</source>
        <translation>&amp;Modern</translation>
    </message>
    <message>
        <source>&amp;Classique</source>
        <translation>&amp;Classic</translation>
    </message>
    <message>
        <source>Le choix du style n&apos;a pas pu être enregistré dans les réglages.</source>
        <translation>The choice of style could not be saved in the settings.</translation>
    </message>
    <message>
        <source>--style : « %1 » (classique ou moderne).</source>
        <translation>--style: &quot;%1&quot; (classique or moderne).</translation>
    </message>
    <message>
        <source>--qualite : « %1 » (rapide ou soignee).</source>
        <translation>--qualite: &quot;%1&quot; (rapide or soignee).</translation>
    </message>
    <message>
        <source>Image %1 sur %2, %3 images/s, encore %4 s environ</source>
        <translation>Frame %1 of %2, %3 frames/s, about %4 s left</translation>
    </message>
    <message>
        <source>du %1 au %2</source>
        <translation>from %1 to %2</translation>
    </message>
    <message>
        <source>%1 : les cinq premiers</source>
        <translation>%1: the first five</translation>
    </message>
    <message>
        <source>%1 j %2 h %3 min</source>
        <translation>%1 d %2 h %3 min</translation>
    </message>
    <message>
        <source>en course</source>
        <translation>racing</translation>
    </message>
    <message>
        <source>texte UTF-16 illisible</source>
        <translation>unreadable UTF-16 text</translation>
    </message>
    <message>
        <source>Terres illisibles : « %1 » : %2.</source>
        <translation>Unreadable land: &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>fichier absent ou illisible</source>
        <translation>file missing or unreadable</translation>
    </message>
    <message>
        <source>plus de 64 Mo</source>
        <translation>over 64 MB</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de terres</source>
        <translation>not a land file</translation>
    </message>
    <message>
        <source>version %1 inconnue</source>
        <translation>unknown version %1</translation>
    </message>
    <message>
        <source>fichier coupé ou abîmé</source>
        <translation>file cut or damaged</translation>
    </message>
    <message>
        <source>fichier abîmé</source>
        <translation>damaged file</translation>
    </message>
    <message>
        <source>--duel : concurrent inconnu « %1 ».</source>
        <translation>--duel: unknown entrant &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--duel : deux fois le même concurrent (%1).</source>
        <translation>--duel: the same entrant twice (%1).</translation>
    </message>
    <message>
        <source>--duel : %1 et %2 ne sont jamais en course ensemble.</source>
        <translation>--duel: %1 and %2 are never racing at the same time.</translation>
    </message>
    <message>
        <source>--duel</source>
        <translation>--duel</translation>
    </message>
    <message>
        <source>--duel : deux noms attendus (NOM1 NOM2).</source>
        <translation>--duel: two names expected (NAME1 NAME2).</translation>
    </message>
    <message>
        <source>--pas : « %1 » (de 1 à 240 heures).</source>
        <translation>--pas: &quot;%1&quot; (1 to 240 hours).</translation>
    </message>
    <message>
        <source>Instant</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Latitude 1</source>
        <translation>Latitude 1</translation>
    </message>
    <message>
        <source>Longitude 1</source>
        <translation>Longitude 1</translation>
    </message>
    <message>
        <source>Position 1</source>
        <translation>Position 1</translation>
    </message>
    <message>
        <source>Latitude 2</source>
        <translation>Latitude 2</translation>
    </message>
    <message>
        <source>Longitude 2</source>
        <translation>Longitude 2</translation>
    </message>
    <message>
        <source>Position 2</source>
        <translation>Position 2</translation>
    </message>
    <message>
        <source>Relèvement (°)</source>
        <translation>Bearing (°)</translation>
    </message>
    <message>
        <source>Gain (milles)</source>
        <translation>Gain (miles)</translation>
    </message>
    <message>
        <source>Courses (*.gpx *.kml *.kmz *.csv *.tsv *.course);;Tous les fichiers (*)</source>
        <translation>Races (*.gpx *.kml *.kmz *.csv *.tsv *.course);;All files (*)</translation>
    </message>
    <message>
        <source>--duel : --du après --au.</source>
        <translation>--duel: --du after --au.</translation>
    </message>
    <message>
        <source>Film : lecture ou pause</source>
        <translation>Film: play or pause</translation>
    </message>
    <message>
        <source>Film : plus vite</source>
        <translation>Film: faster</translation>
    </message>
    <message>
        <source>Film : moins vite</source>
        <translation>Film: slower</translation>
    </message>
    <message>
        <source>Film : une heure en arrière</source>
        <translation>Film: an hour back</translation>
    </message>
    <message>
        <source>Film : une heure en avant</source>
        <translation>Film: an hour forward</translation>
    </message>
    <message>
        <source>Film : un jour en arrière</source>
        <translation>Film: a day back</translation>
    </message>
    <message>
        <source>Film : un jour en avant</source>
        <translation>Film: a day forward</translation>
    </message>
    <message>
        <source>Film : au début</source>
        <translation>Film: to the start</translation>
    </message>
    <message>
        <source>Film : à la fin</source>
        <translation>Film: to the end</translation>
    </message>
    <message>
        <source>Film : cadrer la flotte</source>
        <translation>Film: frame the fleet</translation>
    </message>
    <message>
        <source>Film : fermer</source>
        <translation>Film: close</translation>
    </message>
    <message>
        <source>&amp;Raccourcis clavier</source>
        <translation>&amp;Keyboard shortcuts</translation>
    </message>
    <message>
        <source>Raccourcis clavier</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>Commande</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Touches</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>--pdf (carte seule)</source>
        <translation>--pdf (chart alone)</translation>
    </message>
    <message>
        <source>--pdf --date</source>
        <translation>--pdf --date</translation>
    </message>
    <message>
        <source>--pdf --trajets</source>
        <translation>--pdf --trajets</translation>
    </message>
    <message>
        <source>--pdf --instant</source>
        <translation>--pdf --instant</translation>
    </message>
    <message>
        <source>page PDF impossible à ouvrir</source>
        <translation>PDF page cannot be opened</translation>
    </message>
    <message>
        <source>Exporter en PDF</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <source>Documents PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>PDF enregistré dans « %1 »</source>
        <translation>PDF saved in “%1”</translation>
    </message>
    <message>
        <source>Imprimer</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Carte envoyée à l&apos;imprimante</source>
        <translation>Chart sent to the printer</translation>
    </message>
    <message>
        <source>Impression impossible : l&apos;imprimante n&apos;a pas accepté la page.</source>
        <translation>Cannot print: the printer did not accept the page.</translation>
    </message>
    <message>
        <source>E&amp;xporter en PDF…</source>
        <translation>E&amp;xport as PDF…</translation>
    </message>
    <message>
        <source>Imp&amp;rimer…</source>
        <translation>Pri&amp;nt…</translation>
    </message>
    <message>
        <source>Rec&amp;hercher…</source>
        <translation>&amp;Find…</translation>
    </message>
    <message>
        <source>Vue précé&amp;dente</source>
        <translation>Previous &amp;view</translation>
    </message>
    <message>
        <source>Vue sui&amp;vante</source>
        <translation>Nex&amp;t view</translation>
    </message>
    <message>
        <source>Le film suit %1</source>
        <translation>The replay follows %1</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas dans le fichier du jour</source>
        <translation>%1 is not in the day file</translation>
    </message>
    <message>
        <source>Rechercher :</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>bateau, skipper, jour (25/12), marque, lieu</source>
        <translation>boat, skipper, day (25/12), mark, place</translation>
    </message>
    <message>
        <source>Rien ne correspond à « %1 »</source>
        <translation>Nothing matches “%1”</translation>
    </message>
    <message>
        <source>Jour : %1</source>
        <translation>Day: %1</translation>
    </message>
    <message>
        <source>Marque : %1</source>
        <translation>Mark: %1</translation>
    </message>
    <message>
        <source>Lieu : %1</source>
        <translation>Place: %1</translation>
    </message>
    <message>
        <source>Ctrl+clic sur une deuxième ligne : les deux concurrents comparés</source>
        <translation>Ctrl+click on a second row: the two entrants compared</translation>
    </message>
    <message>
        <source>Comparaison</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>Comparer deux concurrents</source>
        <translation>Compare two entrants</translation>
    </message>
    <message>
        <source>Premier :</source>
        <translation>First:</translation>
    </message>
    <message>
        <source>Second :</source>
        <translation>Second:</translation>
    </message>
    <message>
        <source>C&amp;omparer deux concurrents…</source>
        <translation>Co&amp;mpare two entrants…</translation>
    </message>
    <message>
        <source>Fermer la comparaison</source>
        <translation>Close the comparison</translation>
    </message>
    <message>
        <source>%1 contre %2</source>
        <translation>%1 against %2</translation>
    </message>
    <message>
        <source>milles</source>
        <translation>miles</translation>
    </message>
    <message>
        <source>Écart</source>
        <translation>Separation</translation>
    </message>
    <message>
        <source>Gain de %1</source>
        <translation>Gain of %1</translation>
    </message>
    <message>
        <source>%1 ou %2 n&apos;a pas de position à cet instant.</source>
        <translation>%1 or %2 has no position at this time.</translation>
    </message>
    <message>
        <source>Écart : %1 milles, relèvement %2° de %3 vers %4</source>
        <translation>Separation: %1 miles, bearing %2° from %3 to %4</translation>
    </message>
    <message>
        <source>%1 : cap %2°, %3 nœuds</source>
        <translation>%1: course %2°, %3 knots</translation>
    </message>
    <message>
        <source>%1 a gagné %2 milles sur %3 vers l&apos;arrivée depuis le %4</source>
        <translation>%1 has gained %2 miles on %3 towards the finish since %4</translation>
    </message>
    <message>
        <source>Sans arrivée connue : pas de gain à mesurer.</source>
        <translation>No known finish: no gain to measure.</translation>
    </message>
    <message>
        <source>%1 : ni cap ni vitesse à cet instant (arrivé, ou dernière position connue)</source>
        <translation>%1: no course or speed at this time (arrived, or last known position)</translation>
    </message>
    <message>
        <source>%1 a perdu %2 milles sur %3 vers l&apos;arrivée depuis le %4</source>
        <translation>%1 has lost %2 miles on %3 towards the finish since %4</translation>
    </message>
    <message>
        <source>Milles derrière le leader, puis jusqu&apos;à l&apos;arrivée (après le %1)</source>
        <translation>Miles behind the leader, then to the finish (after %1)</translation>
    </message>
    <message>
        <source>Comparaison : %1 contre %2</source>
        <translation>Comparison: %1 against %2</translation>
    </message>
    <message>
        <source>Choisir deux concurrents différents.</source>
        <translation>Choose two different entrants.</translation>
    </message>
    <message>
        <source>%1 : la course « %2 » n&apos;a pas de fichiers du jour (des traces seulement) ; --positions, --duel, --png --instant, --pdf --instant, --statistiques, --gpx, --kml et --video la lisent.</source>
        <translation>%1: the race “%2” has no day files (tracks only); --positions, --duel, --png --instant, --pdf --instant, --statistiques, --gpx, --kml and --video read it.</translation>
    </message>
    <message>
        <source>Usage :
  orvalis                      ouvre la fenêtre
  orvalis --png FICHIER [--date JJ/MM/AAAA [--route]] [--size LxH] [--zone N S O E] [--scale R]
      dessine la carte dans une image PNG, sans affichage ;
      --date : la situation de la course ce jour-là, comme la fenêtre ;
      --route : avec la route théorique ;
      --size : largeur x hauteur en pixels (804x585 par défaut) ;
      --zone : limites nord, sud, ouest, est en DD.MM
               (degrés.minutes, longitudes Ouest positives) ;
      --scale : R pixels par pixel de --size (de 1 à 4, 1.5 par exemple),
               comme un écran de cette densité ; avec toute image --png ;
      --style classique|moderne : la carte du programme (par défaut) ou la
               carte moderne (terres pleines sur une mer bleue).
  orvalis --png FICHIER --trajets tous|NOM[,NOM...] [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] [--size LxH]
      les trajets des concurrents choisis, tracés d&apos;un coup et cadrés sur eux ;
  orvalis --gpx FICHIER | --kml FICHIER [--trajets ...] [--du ...] [--au ...]
      les mêmes trajets en GPX 1.1 ou KML 2.2 (tous les concurrents par défaut).
  orvalis --actualiser [--source URL|FICHIER] [--date JJ/MM/AAAA]
      écrit le fichier du jour (aujourd&apos;hui, ou --date) depuis le classement
      officiel : la page de posorvls.ini ([classement] url=...) ou --source
      (adresse web, page .html, classeur .xls ou .xlsx), sinon le classeur
      DonneesClassement.xls du répertoire courant ; affiche le fichier écrit.
  orvalis --statistiques [--csv FICHIER]
      le bilan de chaque concurrent (distance parcourue, vitesse moyenne,
      meilleur jour, jours de course, statut), ou son export CSV.
  orvalis --png FICHIER --ecarts [--size LxH]
      le graphique des écarts au leader, jour par jour.
  orvalis --pdf FICHIER [les options de --png, sauf --ecarts et --incrustations]
      la même image en PDF vectoriel d&apos;une page : traits et terres en tracés,
      textes sélectionnables (les points de côte de la carte du programme
      en une image).
  orvalis --png FICHIER --instant INSTANT [--trainee 0|1|3|7|tout] [--suivre NOM|tete] [--size LxH]
      la course à cet instant comme le film continu : chaque concurrent à sa
      position du moment, sa traînée (3 jours par défaut), cadrée sur la
      flotte, ou centrée sur le bateau suivi (un nom, ou tete : le leader) ;
      INSTANT en UTC, JJ/MM/AAAA HH:MM ou JJ/MM/AAAA HHhMM.
      --incrustations [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] : l&apos;image de la
      vidéo à cet instant (cadrée comme la vidéo sur la flotte du moment ou
      le bateau suivi, titre, horloge, cinq premiers du classement).
  orvalis --video FICHIER.mp4|FICHIER.webm [--du JJ/MM/AAAA] [--au JJ/MM/AAAA]
          [--vitesse H] [--fps N] [--size LxH] [--scale R] [--trainee ...] [--suivre ...]
          [--style classique|moderne] [--qualite rapide|soignee] [--sans-cartons]
      le film continu en vidéo (H.264, ou VP9 pour .webm) par le programme
      ffmpeg : de 00h00 UTC du --du à 23h59 UTC du --au (toute la course par
      défaut), H heures de course par seconde (24), N images par seconde
      (30), 1280x720, carte moderne, encodage soigné (rapide : plus vite,
      fichier plus gros), un carton d&apos;ouverture et un de clôture de deux
      secondes chacun ; l&apos;avancement sur la sortie d&apos;erreur.
  orvalis --positions INSTANT [--csv FICHIER]
      les positions de l&apos;instant dans l&apos;ordre du classement publié : rang,
      skipper, bateau, latitude et longitude en degrés décimaux (Nord et Est
      positifs), nature (relevé, interpolé, estimé, arrivé, abandon,
      dernière position connue) ; ou leur export CSV.
  orvalis --duel NOM1 NOM2 [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] [--pas H] [--csv FICHIER]
      deux concurrents comparés toutes les H heures (6) de 00h00 UTC du --du
      à 23h59 UTC du --au (la période où tous deux sont en course par
      défaut) : l&apos;instant, la position de chacun (degrés décimaux, nature),
      l&apos;écart orthodromique en milles, le relèvement du premier au second
      et les milles gagnés par le premier sur le second vers l&apos;arrivée
      depuis la première ligne ; ou leur export CSV.
  orvalis --distance LAT1 LON1 LAT2 LON2
      distances orthodromique et loxodromique, cap et points
      de l&apos;orthodromie entre deux positions en DD.MM
      (latitudes Nord positives, longitudes Ouest positives).
  orvalis --classement JJ/MM/AAAA
      classement du jour, lu dans le fichier du jour à côté du programme
      (installé : d&apos;abord dans ~/.local/share/orvalis).
  orvalis ... --course CHEMIN
      une autre course que celle du programme : traces GPX, KML ou KMZ,
      positions CSV, ou dossier de fichiers du jour avec sa description ;
      avec --positions, --duel, --png --instant, --pdf --instant, --statistiques,
      --gpx, --kml, --video (et, pour des fichiers du jour, --date, --classement,
      --actualiser).
  orvalis ... --langue fr|en
      la langue des textes (sinon celle choisie dans la fenêtre, ou celle du
      système : l&apos;anglais s&apos;il la préfère, le français sinon).
  orvalis --help | -h
      ce texte.
Codes de sortie : 0 fait, 1 rien de fait (jour absent, fichier
impossible à écrire...), 2 arguments invalides.
</source>
        <translation>Usage:
  orvalis                      opens the window
  orvalis --png FILE [--date JJ/MM/AAAA [--route]] [--size WxH] [--zone N S W E] [--scale R]
      draws the chart into a PNG image, without a window;
      --date: the state of the race on that day, as in the window;
      --route: with the theoretical route;
      --size: width x height in pixels (804x585 by default);
      --zone: north, south, west and east limits in DD.MM
               (degrees.minutes, West longitudes positive);
      --scale: R pixels per pixel of --size (1 to 4, 1.5 for example),
               as on a screen of that density; with any --png image;
      --style classique|moderne: the program&apos;s chart (by default) or the
               modern chart (filled land on a blue sea).
  orvalis --png FILE --trajets tous|NAME[,NAME...] [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] [--size WxH]
      the tracks of the chosen entrants, drawn all at once and framed on them;
  orvalis --gpx FILE | --kml FILE [--trajets ...] [--du ...] [--au ...]
      the same tracks in GPX 1.1 or KML 2.2 (all the entrants by default).
  orvalis --actualiser [--source URL|FILE] [--date JJ/MM/AAAA]
      writes the day file (today&apos;s, or that of --date) from the official
      ranking: the page of posorvls.ini ([classement] url=...) or --source
      (web address, .html page, .xls or .xlsx workbook), otherwise the workbook
      DonneesClassement.xls of the current directory; shows the file written.
  orvalis --statistiques [--csv FILE]
      the summary of each entrant (distance sailed, average speed,
      best day, days racing, status), or its CSV export.
  orvalis --png FILE --ecarts [--size WxH]
      the chart of the gaps to the leader, day by day.
  orvalis --pdf FILE [the options of --png, except --ecarts and --incrustations]
      the same picture as a one-page vector PDF: lines and land as paths,
      selectable text (the coastline dots of the program&apos;s chart as one
      picture).
  orvalis --png FILE --instant TIME [--trainee 0|1|3|7|tout] [--suivre NAME|tete] [--size WxH]
      the race at that moment, as in the continuous replay: each entrant at its
      position of the moment, with its trail (3 days by default), framed on the
      fleet, or centred on the boat followed (a name, or tete: the leader);
      TIME in UTC, JJ/MM/AAAA HH:MM or JJ/MM/AAAA HHhMM.
      --incrustations [--du JJ/MM/AAAA] [--au JJ/MM/AAAA]: the video&apos;s frame at
      that moment (framed as the video is, on the fleet of the moment or the
      boat followed; title, clock, the first five of the ranking).
  orvalis --video FILE.mp4|FILE.webm [--du JJ/MM/AAAA] [--au JJ/MM/AAAA]
          [--vitesse H] [--fps N] [--size WxH] [--scale R] [--trainee ...] [--suivre ...]
          [--style classique|moderne] [--qualite rapide|soignee] [--sans-cartons]
      the continuous replay as a video (H.264, or VP9 for .webm) through the
      ffmpeg program: from 00:00 UTC of --du to 23:59 UTC of --au (the whole
      race by default), H hours of race per second (24), N frames per second
      (30), 1280x720, the modern chart, careful encoding (rapide: faster, a
      larger file), an opening and a closing card of two seconds each; the
      progress on standard error.
  orvalis --positions TIME [--csv FILE]
      the positions at that moment in the order of the published ranking: rank,
      skipper, boat, latitude and longitude in decimal degrees (North and East
      positive), kind of position, written in French (relevé, interpolé, estimé,
      arrivé, abandon, dernière position connue); or their CSV export.
  orvalis --duel NAME1 NAME2 [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] [--pas H] [--csv FILE]
      two entrants compared every H hours (6) from 00:00 UTC of --du to
      23:59 UTC of --au (the period both are racing by default): the time,
      each one&apos;s position (decimal degrees, kind), the great-circle
      separation in miles, the bearing from the first to the second and the
      miles the first has gained on the second towards the finish since the
      first row; or their CSV export.
  orvalis --distance LAT1 LON1 LAT2 LON2
      great-circle and rhumb-line distances, heading and points
      of the great circle between two positions in DD.MM
      (North latitudes positive, West longitudes positive).
  orvalis --classement JJ/MM/AAAA
      ranking of the day, read from the day file next to the program
      (installed: first in ~/.local/share/orvalis).
  orvalis ... --course PATH
      another race than the program&apos;s: GPX, KML or KMZ tracks, CSV
      positions, or a folder of day files with its description;
      with --positions, --duel, --png --instant, --pdf --instant, --statistiques,
      --gpx, --kml, --video (and, for day files, --date, --classement,
      --actualiser).
  orvalis ... --langue fr|en
      the language of the texts (otherwise the one chosen in the window, or the
      system&apos;s: English if it prefers it, French otherwise).
  orvalis --help | -h
      this text.
Exit codes: 0 done, 1 nothing done (missing day, file that cannot
be written...), 2 invalid arguments.
</translation>
    </message>
</context>
</TS>
