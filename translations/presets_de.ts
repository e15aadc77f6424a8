<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_GB">
<context>
    <name>demo.effects.groups</name>
    <message>
        <source>Popular effects of the week</source>
        <translation>Beliebte Effekte der Woche</translation>
    </message>
    <message>
        <source>Vignette</source>
        <translation>Vignette</translation>
    </message>
    <message>
        <source>Grain</source>
        <translation>Körnung</translation>
    </message>
    <message>
        <source>Black and white</source>
        <translation>Schwarzweiß</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Texturen</translation>
    </message>
    <message>
        <source>Film</source>
        <translation>Film</translation>
    </message>
</context>
<context>
    <name>demo.effects.presets</name>
    <message>
        <source>Soft Fade</source>
        <translation>Sanft verblasst</translation>
    </message>
    <message>
        <source>Silver Screen</source>
        <translation>Silberleinwand</translation>
    </message>
    <message>
        <source>Golden Hour</source>
        <translation>Goldene Stunde</translation>
    </message>
    <message>
        <source>Dark Frame</source>
        <translation>Dunkler Rahmen</translation>
    </message>
    <message>
        <source>Clean Pop</source>
        <translation>Klare Farben</translation>
    </message>
    <message>
        <source>Soft Vignette</source>
        <translation>Sanfte Vignette</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Klassisch</translation>
    </message>
    <message>
        <source>Spotlight</source>
        <translation>Scheinwerfer</translation>
    </message>
    <message>
        <source>Wide Frame</source>
        <translation>Weiter Rahmen</translation>
    </message>
    <message>
        <source>Moody Corners</source>
        <translation>Düstere Ecken</translation>
    </message>
    <message>
        <source>Fine Grain</source>
        <translation>Feines Korn</translation>
    </message>
    <message>
        <source>Film 400</source>
        <translation>Film 400</translation>
    </message>
    <message>
        <source>Film 1600</source>
        <translation>Film 1600</translation>
    </message>
    <message>
        <source>Rough Print</source>
        <translation>Grober Druck</translation>
    </message>
    <message>
        <source>Newsprint</source>
        <translation>Zeitungsdruck</translation>
    </message>
    <message>
        <source>Subtle Texture</source>
        <translation>Dezente Struktur</translation>
    </message>
    <message>
        <source>Classic Mono</source>
        <translation>Klassisches Schwarzweiß</translation>
    </message>
    <message>
        <source>Red Filter</source>
        <translation>Rotfilter</translation>
    </message>
    <message>
        <source>Green Filter</source>
        <translation>Grünfilter</translation>
    </message>
    <message>
        <source>High Contrast</source>
        <translation>Hoher Kontrast</translation>
    </message>
    <message>
        <source>Sepia</source>
        <translation>Sepia</translation>
    </message>
    <message>
        <source>Selenium</source>
        <translation>Selen</translation>
    </message>
    <message>
        <source>Soft Mono</source>
        <translation>Sanftes Schwarzweiß</translation>
    </message>
    <message>
        <source>Old Paper</source>
        <translation>Altes Papier</translation>
    </message>
    <message>
        <source>Dust and Scratches</source>
        <translation>Staub und Kratzer</translation>
    </message>
    <message>
        <source>Light Leak</source>
        <translation>Lichteinfall</translation>
    </message>
    <message>
        <source>Vintage Print</source>
        <translation>Alter Abzug</translation>
    </message>
    <message>
        <source>Canvas</source>
        <translation>Leinwand</translation>
    </message>
    <message>
        <source>Faded Film</source>
        <translation>Verblasster Film</translation>
    </message>
    <message>
        <source>Expired Film</source>
        <translation>Abgelaufener Film</translation>
    </message>
    <message>
        <source>Cross Process</source>
        <translation>Crossentwicklung</translation>
    </message>
    <message>
        <source>Instant Photo</source>
        <translation>Sofortbild</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>Matt</translation>
    </message>
</context>
<context>
    <name>demo.looks.groups</name>
    <message>
        <source>Light</source>
        <translation>Licht</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Mood</source>
        <translation>Stimmung</translation>
    </message>
    <message>
        <source>Seasons</source>
        <translation>Jahreszeiten</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Porträt</translation>
    </message>
</context>
<context>
    <name>demo.looks.presets</name>
    <message>
        <source>Brighten</source>
        <translation>Aufhellen</translation>
    </message>
    <message>
        <source>Soft Glow</source>
        <translation>Sanftes Leuchten</translation>
    </message>
    <message>
        <source>Punchy</source>
        <translation>Kräftig</translation>
    </message>
    <message>
        <source>Low Key</source>
        <translation>Low Key</translation>
    </message>
    <message>
        <source>High Key</source>
        <translation>High Key</translation>
    </message>
    <message>
        <source>Clean</source>
        <translation>Klar</translation>
    </message>
    <message>
        <source>Warm Sun</source>
        <translation>Warme Sonne</translation>
    </message>
    <message>
        <source>Cool Breeze</source>
        <translation>Kühle Brise</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Lebendig</translation>
    </message>
    <message>
        <source>Teal and Orange</source>
        <translation>Petrol und Orange</translation>
    </message>
    <message>
        <source>Noir</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Faded Film</source>
        <translation>Verblasster Film</translation>
    </message>
    <message>
        <source>Dream</source>
        <translation>Traum</translation>
    </message>
    <message>
        <source>Stormy</source>
        <translation>Stürmisch</translation>
    </message>
    <message>
        <source>Spring</source>
        <translation>Frühling</translation>
    </message>
    <message>
        <source>Summer</source>
        <translation>Sommer</translation>
    </message>
    <message>
        <source>Autumn</source>
        <translation>Herbst</translation>
    </message>
    <message>
        <source>Winter</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>Warm Skin</source>
        <translation>Warme Haut</translation>
    </message>
    <message>
        <source>Soft Matte</source>
        <translation>Sanft matt</translation>
    </message>
    <message>
        <source>Crisp</source>
        <translation>Knackig scharf</translation>
    </message>
    <message>
        <source>Studio Mono</source>
        <translation>Studio-Schwarzweiß</translation>
    </message>
</context>
</TS>
