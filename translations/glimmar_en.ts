<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en_GB">
<context>
    <name>tools_text</name>
    <message>
        <source>Add to Favorite</source>
        <translation>Add to favourites</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Remove from favourites</translation>
    </message>
</context>
<context>
    <name>EffectPresetWidget</name>
    <message>
        <source>Add effect to favourite</source>
        <translation>Add to favourites</translation>
    </message>
</context>
<context>
    <name>editor.adjustmentsTool.auto</name>
    <message>
        <source>Delete (preset)</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Cancel (deletion)</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Preset with this name already exists</source>
        <translation>A preset with this name exists already.</translation>
    </message>
</context>
<context>
    <name>editor.adjustmentsTool.manual</name>
    <message>
        <source>Name new preset</source>
        <translation>Rename preset</translation>
    </message>
</context>
<context>
    <name>Tavrel::Glimmar::DownloadableButton</name>
    <message>
        <source>We have a problem downloading %1, 
 please check your internet connection or contact our technical support.</source>
        <translation>The %1 could not be downloaded.
Please check your internet connection or contact our technical support.</translation>
    </message>
</context>
<context>
    <name>tools_adjustments</name>
    <message>
        <source>To add new user preset, click add preset button in manual mode</source>
        <translation>Your own presets appear here. Save the photo’s effects with “Save as preset…” below the list.</translation>
    </message>
</context>
</TS>
