<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_GB">
<context>
    <name>tools_text</name>
    <message>
        <source>Add to Favorite</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
</context>
<context>
    <name>EffectPresetWidget</name>
    <message>
        <source>Add effect to favourite</source>
        <translation>Effekt zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Apply effect</source>
        <translation>Effekt anwenden</translation>
    </message>
    <message>
        <source>Cancel effect</source>
        <translation>Effekt verwerfen</translation>
    </message>
</context>
<context>
    <name>editor.adjustmentsTool.auto</name>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>%1% loaded</source>
        <translation>%1 % geladen</translation>
    </message>
    <message>
        <source>Delete this preset from the collection?</source>
        <translation>Diese Vorgabe aus der Sammlung löschen?</translation>
    </message>
    <message>
        <source>Delete (preset)</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel (deletion)</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Preset with this name already exists</source>
        <translation>Eine Vorgabe mit diesem Namen gibt es schon.</translation>
    </message>
    <message>
        <source>All presets</source>
        <translation>Alle Vorgaben</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
</context>
<context>
    <name>editor.adjustmentsTool.manual</name>
    <message>
        <source>Name new preset</source>
        <translation>Vorgabe umbenennen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>tools_effects_presets</name>
    <message>
        <source>Intensity: %1</source>
        <translation>Stärke: %1</translation>
    </message>
</context>
<context>
    <name>Tavrel::Glimmar::DownloadableButton</name>
    <message>
        <source>We have a problem downloading %1, 
 please check your internet connection or contact our technical support.</source>
        <translation>Der %1 konnte nicht heruntergeladen werden.
Bitte prüfen Sie Ihre Internetverbindung oder wenden Sie sich an unseren technischen Support.</translation>
    </message>
    <message>
        <source>effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Download failed</source>
        <translation>Download fehlgeschlagen</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
</context>
<context>
    <name>tools_effects_categories</name>
    <message>
        <source>All effects</source>
        <translation>Alle Effekte</translation>
    </message>
    <message>
        <source>Favourite effects</source>
        <translation>Lieblingseffekte</translation>
    </message>
    <message>
        <source>Popular effects</source>
        <translation>Beliebte Effekte</translation>
    </message>
</context>
<context>
    <name>tools_adjustments</name>
    <message>
        <source>To add new user preset, click add preset button in manual mode</source>
        <translation>Hier erscheinen Ihre eigenen Vorgaben. Speichern Sie die Effekte des Fotos mit „Als Vorgabe speichern…“ unter der Liste.</translation>
    </message>
</context>
<context>
    <name>tools_effects</name>
    <message>
        <source>To add an effect to your favorites, click the heart icon to the right of the effect's name</source>
        <translation>Um einen Effekt zu Ihren Favoriten hinzuzufügen, klicken Sie auf das Herz rechts neben seinem Namen</translation>
    </message>
</context>
</TS>
