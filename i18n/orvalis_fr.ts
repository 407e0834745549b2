<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="fr">
<context>
    <name>Orvalis</name>
    <message numerus="yes">
        <source>Classement incomplet : %n concurrent(s) au lieu de %1 ; rien n&apos;est écrit.</source>
        <translation>
            <numerusform>Classement incomplet : %n concurrent au lieu de %1 ; rien n&apos;est écrit.</numerusform>
            <numerusform>Classement incomplet : %n concurrents au lieu de %1 ; rien n&apos;est écrit.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>« %1 » : %n point(s) ignoré(s), coordonnées illisibles (%2).</source>
        <translation>
            <numerusform>« %1 » : %n point ignoré, coordonnées illisibles (%2).</numerusform>
            <numerusform>« %1 » : %n points ignorés, coordonnées illisibles (%2).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Traînée : %n jour(s)</source>
        <translation>
            <numerusform>Traînée : %n jour</numerusform>
            <numerusform>Traînée : %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n jour(s)/s</source>
        <translation>
            <numerusform>%n jour/s</numerusform>
            <numerusform>%n jours/s</numerusform>
        </translation>
    </message>
</context>
</TS>
