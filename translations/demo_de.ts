<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_GB">
<context>
    <name>EditorOptions</name>
    <message>
        <source>A small photo editor around the preset lists.</source>
        <translation>Ein kleiner Fotoeditor rund um die Vorgabenlisten.</translation>
    </message>
    <message>
        <source>photo</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>The photo to open (JPEG, PNG, TIFF, ...).</source>
        <translation>Das zu öffnende Foto (JPEG, PNG, TIFF, …).</translation>
    </message>
    <message>
        <source>[photo]</source>
        <translation>[Foto]</translation>
    </message>
    <message>
        <source>The language of the texts: en or de.</source>
        <translation>Die Sprache der Texte: en oder de.</translation>
    </message>
    <message>
        <source>language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Keep presets, favourites and the window layout in this folder.</source>
        <translation>Vorgaben, Favoriten und die Fensteranordnung in diesem Ordner aufbewahren.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Write the usage statistics log to this folder.</source>
        <translation>Das Nutzungsprotokoll in diesen Ordner schreiben.</translation>
    </message>
    <message>
        <source>Run the guided tour offscreen and write its screenshots, logs and export here.</source>
        <translation>Die geführte Tour ohne Bildschirm ausführen und Bildschirmfotos, Protokolle und Export hier ablegen.</translation>
    </message>
    <message>
        <source>Unknown language &quot;%1&quot;: use en or de.</source>
        <translation>Unbekannte Sprache „%1“: en oder de verwenden.</translation>
    </message>
</context>
<context>
    <name>Tavrel::ImageFile</name>
    <message>
        <source>The file does not exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>It is a folder.</source>
        <translation>Es ist ein Ordner.</translation>
    </message>
    <message>
        <source>It cannot be opened: %1.</source>
        <translation>Sie kann nicht geöffnet werden: %1.</translation>
    </message>
    <message>
        <source>It is empty.</source>
        <translation>Sie ist leer.</translation>
    </message>
    <message>
        <source>It is not a picture, or not one of a format that can be read (%1).</source>
        <translation>Sie ist kein Bild oder keines in einem lesbaren Format (%1).</translation>
    </message>
    <message>
        <source>It has %1 × %2 pixels, more than the %3 megapixels allowed.</source>
        <translation>Sie hat %1 × %2 Pixel, mehr als die erlaubten %3 Megapixel.</translation>
    </message>
    <message>
        <source>Its picture data cannot be read (%1).</source>
        <translation>Ihre Bilddaten können nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>No installed image format plugin reads .%1 files (%2).</source>
        <translation>Kein installiertes Bildformat-Plugin liest .%1-Dateien (%2).</translation>
    </message>
    <message>
        <source>The file is damaged (it ends early).</source>
        <translation>Die Datei ist beschädigt (sie endet zu früh).</translation>
    </message>
</context>
<context>
    <name>Tavrel::Demo::MainWindow</name>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Stay</source>
        <translation>Bleiben</translation>
    </message>
    <message>
        <source>Keep the preset you are trying?</source>
        <translation>Die ausprobierte Vorgabe behalten?</translation>
    </message>
    <message>
        <source>The preset on the photo is not confirmed yet.</source>
        <translation>Die Vorgabe auf dem Foto ist noch nicht bestätigt.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Open photo…</source>
        <translation>Foto ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Reset all</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>Back to the photo as opened (undoable)</source>
        <translation>Zurück zum Foto, wie es geöffnet wurde (rückgängig zu machen)</translation>
    </message>
    <message>
        <source>Apply preset</source>
        <translation>Vorgabe anwenden</translation>
    </message>
    <message>
        <source>Cancel preset</source>
        <translation>Vorgabe verwerfen</translation>
    </message>
    <message>
        <source>Save as preset…</source>
        <translation>Als Vorgabe speichern…</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Hold to see the original photo (or hold the \ key)</source>
        <translation>Gedrückt halten, um das Originalfoto zu sehen (oder die Taste \ halten)</translation>
    </message>
    <message>
        <source>Glimmar Demo</source>
        <translation>Glimmar Demo</translation>
    </message>
    <message>
        <source>%1 · %2 × %3 pixels</source>
        <translation>%1 · %2 × %3 Pixel</translation>
    </message>
    <message>
        <source>Built-in sample photo</source>
        <translation>Mitgeliefertes Beispielfoto</translation>
    </message>
    <message>
        <source>Cannot open photo</source>
        <translation>Foto kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The current photo stays open.</source>
        <translation>Das aktuelle Foto bleibt geöffnet.</translation>
    </message>
    <message>
        <source>Open photo</source>
        <translation>Foto öffnen</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Bilder (%1)</translation>
    </message>
    <message>
        <source>Choose a file name ending in .jpg or .png.</source>
        <translation>Wählen Sie einen Dateinamen mit der Endung .jpg oder .png.</translation>
    </message>
    <message>
        <source>No photo is open.</source>
        <translation>Es ist kein Foto geöffnet.</translation>
    </message>
    <message>
        <source>Cannot export</source>
        <translation>Export nicht möglich</translation>
    </message>
    <message>
        <source>Exporting to %1…</source>
        <translation>Exportiere nach %1…</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportiert nach %1</translation>
    </message>
    <message>
        <source>“%1” cannot be written: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>JPEG image (*.jpg *.jpeg)</source>
        <translation>JPEG-Bild (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>Export photo</source>
        <translation>Foto exportieren</translation>
    </message>
    <message>
        <source>Zoom %1%</source>
        <translation>Zoom %1 %</translation>
    </message>
    <message>
        <source>%1 (fit)</source>
        <translation>%1 (eingepasst)</translation>
    </message>
</context>
<context>
    <name>PanelFactory</name>
    <message>
        <source>Looks</source>
        <translation>Bildstile</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>Effekte</translation>
    </message>
</context>
<context>
    <name>Tavrel::Demo::PhotoView</name>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
</context>
<context>
    <name>Tavrel::Demo::StatisticsDock</name>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
</context>
<context>
    <name>Tavrel::Demo::ToolPanel</name>
    <message>
        <source>Save as preset…</source>
        <translation>Als Vorgabe speichern…</translation>
    </message>
    <message>
        <source>Save as preset</source>
        <translation>Als Vorgabe speichern</translation>
    </message>
    <message>
        <source>The photo has no effects yet: try a preset or two first, then save them as your own.</source>
        <translation>Das Foto hat noch keine Effekte: Probieren Sie erst eine oder zwei Vorgaben aus und speichern Sie sie dann als eigene.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>A preset with this name exists already.</source>
        <translation>Eine Vorgabe mit diesem Namen gibt es schon.</translation>
    </message>
    <message>
        <source>My preset</source>
        <translation>Meine Vorgabe</translation>
    </message>
</context>
</TS>
