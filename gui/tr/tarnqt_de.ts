<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AfterPrinting1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Settings For Paper Handling After Print</source>
        <translation>Papierbehandlung nach dem Druck</translation>
    </message>
    <message>
        <source>Specified Stop Position</source>
        <translation>Festgelegte Halteposition</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>(0.00 - 6.01)</source>
        <translation>(0.00 - 6.01)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>AfterPrinting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Settings For Paper Handling After Print</source>
        <translation>Papierbehandlung nach dem Druck</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>Erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>BidAdjust1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>Vertikale Ausrichtung</translation>
    </message>
    <message>
        <source>Print the adjustment sheet to improve print blurring.
      
      Set “Die-cut labels with a length of 68.8 mm (2.71 in) or more,” “Continuous paper,” or “Continuous label” in the printer.
      
      Configure the setting of [Media form (detection)] to match the media in use.
      
      Press the Print button to execute printing.</source>
        <translation>Druckt das Justierblatt, um unscharfen Druck zu verbessern.

Legen Sie „Stanzetiketten mit einer Länge von 68,8 mm (2,71 Zoll) oder mehr“, „Endlospapier“ oder „Endlosetikett“ in den Drucker ein.

Stellen Sie [Medienform (Erkennung)] passend zum verwendeten Medium ein.

Drücken Sie auf Drucken, um den Druck zu starten.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>BidAdjust2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>Vertikale Ausrichtung</translation>
    </message>
    <message>
        <source>Examine the print result, then select the number of the pattern without vertical lines from the list. 
If none is applicable, select ones with the least vertical lines.</source>
        <translation>Prüfen Sie den Ausdruck und wählen Sie in der Liste die Nummer des Musters ohne senkrechte Linien. 
Trifft keines zu, wählen Sie das mit den wenigsten senkrechten Linien.</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>#3</source>
        <translation>#3</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>BidAdjust3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>Vertikale Ausrichtung</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>Erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>GeometrySetting1A</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>Positionsjustierung</translation>
    </message>
    <message>
        <source>Cut position adjustment:</source>
        <translation>Schneideposition:</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Print start position adjustment (Vertical):</source>
        <translation>Druckstartposition (vertikal):</translation>
    </message>
    <message>
        <source>Print start position adjustment (Horizontal):</source>
        <translation>Druckstartposition (horizontal):</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>GeometrySetting1P</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>Positionsjustierung</translation>
    </message>
    <message>
        <source>Peel position adjustment (Auto):</source>
        <translation>Abziehposition (automatisch):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Peel position adjustment (Manual):</source>
        <translation>Abziehposition (manuell):</translation>
    </message>
    <message>
        <source>Print start position adjustment (Vertical):</source>
        <translation>Druckstartposition (vertikal):</translation>
    </message>
    <message>
        <source>Print start position adjustment (Horizontal):</source>
        <translation>Druckstartposition (horizontal):</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>GeometrySetting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>Positionsjustierung</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>Erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>HeadCleaning1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>Druckkopfreinigung</translation>
    </message>
    <message>
        <source>Starts print head cleaning.</source>
        <translation>Startet die Druckkopfreinigung.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Ausführen</translation>
    </message>
</context>
<context>
    <name>HeadCleaning2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>Druckkopfreinigung</translation>
    </message>
    <message>
        <source>Print head cleaning in progress.

Checking nozzles and cleaning clogged nozzles automatically.
Nozzles are cleaned up to 4 times.</source>
        <translation>Druckkopfreinigung läuft.

Die Düsen werden geprüft und verstopfte Düsen automatisch gereinigt.
Es wird bis zu 4-mal gereinigt.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>HeadCleaning3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>Druckkopfreinigung</translation>
    </message>
    <message>
        <source>Print head cleaning completed.

Click the &quot;Nozzle Check&quot; button and print the nozzle check pattern to check the result.</source>
        <translation>Die Druckkopfreinigung ist abgeschlossen.

Klicken Sie auf &quot;Düsentest&quot; und drucken Sie das Düsentestmuster, um das Ergebnis zu prüfen.</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>Düsentest</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>Tarn Utility cannot be launched.</source>
        <translation>Tarn Utility kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Settings not applied</source>
        <translation>Einstellungen nicht übernommen</translation>
    </message>
    <message>
        <source>The printer did not confirm these settings:</source>
        <translation>Der Drucker hat diese Einstellungen nicht bestätigt:</translation>
    </message>
    <message>
        <source>Check the printer and the values, then apply again.</source>
        <translation>Prüfen Sie den Drucker und die Werte und übernehmen Sie sie erneut.</translation>
    </message>
    <message>
        <source>No supported printer queue was found, or the printing system (CUPS) could not be reached.

Check that CUPS is running and that the printer is turned on, connected and set up as a print queue with its driver. Then click Update.</source>
        <translation>Es wurde keine unterstützte Druckerwarteschlange gefunden, oder das Drucksystem (CUPS) ist nicht erreichbar.

Prüfen Sie, ob CUPS läuft und ob der Drucker eingeschaltet, angeschlossen und mit seinem Treiber als Druckerwarteschlange eingerichtet ist. Klicken Sie dann auf Aktualisieren.</translation>
    </message>
    <message>
        <source>No supported printer found</source>
        <translation>Kein unterstützter Drucker gefunden</translation>
    </message>
</context>
<context>
    <name>NozzleCheck1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>Düsentest</translation>
    </message>
    <message>
        <source>Print a nozzle check pattern.

If the paper is less than 101.6 mm (4 inches) long, parts of the nozzle check pattern may not be printed.
Perform &quot;Media Detection Settings&quot; according to the paper being used for the nozzle check.</source>
        <translation>Druckt ein Düsentestmuster.

Ist das Papier kürzer als 101,6 mm (4 Zoll), werden Teile des Musters eventuell nicht gedruckt.
Nehmen Sie die &quot;Medienerkennung&quot; passend zum Papier für den Düsentest vor.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>NozzleCheck2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>Düsentest</translation>
    </message>
    <message>
        <source>Cleaning needed</source>
        <translation>Reinigung nötig</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>Gut</translation>
    </message>
    <message>
        <source>Compare the printed pattern with the pattern above. The nozzles are clogged if there are gaps in the lines. Clean the nozzles.
The printed pattern changes depending on the paper width and length.</source>
        <translation>Vergleichen Sie das gedruckte Muster mit dem Muster oben. Lücken in den Linien bedeuten verstopfte Düsen. Reinigen Sie dann die Düsen.
Das gedruckte Muster hängt von Breite und Länge des Papiers ab.</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>Druckkopfreinigung</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>PaperSetting1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>Medieneinstellung</translation>
    </message>
    <message>
        <source>Media source:</source>
        <translation>Medienquelle:</translation>
    </message>
    <message>
        <source>Media detection settings:</source>
        <translation>Medienerkennung:</translation>
    </message>
    <message>
        <source>Gap Between Labels:</source>
        <translation>Etikettenabstand:</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>(0.00 - 6.01)</source>
        <translation>(0.00 - 6.01)</translation>
    </message>
    <message>
        <source>Left &amp; Right Gap:</source>
        <translation>Abstand links/rechts:</translation>
    </message>
    <message>
        <source>Right Gap:</source>
        <translation>Abstand rechts:</translation>
    </message>
    <message>
        <source>Label Edge to Hole Length: </source>
        <translation>Etikettenkante bis Loch: </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>PaperSetting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>Medieneinstellung</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>Erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>PaperSetting3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>Medieneinstellung</translation>
    </message>
    <message>
        <source>It is recommended to set the &quot;Left &amp; Right Gap&quot;  to 2 mm (0.08 inches)  or more. If it is set  to less  than 2 mm (0.08 inches) , ink  may adhere to the inside  of the printer and smudge the printouts.</source>
        <translation>Es wird empfohlen, den &quot;Abstand links/rechts&quot; auf 2 mm (0,08 Zoll) oder mehr zu stellen. Bei weniger als 2 mm (0,08 Zoll) kann Tinte im Drucker haften bleiben und die Ausdrucke verschmieren.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>PfAdjust1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>Horizontale Ausrichtung</translation>
    </message>
    <message>
        <source>This prints adjustment sheet 1 to improve horizontal streaks.
      
      Set “Die-cut labels with a length of 66.7 mm (2.63 in) or more,” “Continuous paper,” or “Continuous label” in the printer.
      
      Configure the setting of [Media form (detection)] to match the media in use.
      
      Press the Print button to execute printing.</source>
        <translation>Druckt Justierblatt 1, um waagerechte Streifen zu verringern.

Legen Sie „Stanzetiketten mit einer Länge von 66,7 mm (2,63 Zoll) oder mehr“, „Endlospapier“ oder „Endlosetikett“ in den Drucker ein.

Stellen Sie [Medienform (Erkennung)] passend zum verwendeten Medium ein.

Drücken Sie auf Drucken, um den Druck zu starten.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>PfAdjust2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>Horizontale Ausrichtung</translation>
    </message>
    <message>
        <source>Examine the print result, then select the number of the pattern without gap or overlap from the list. 
If none is applicable, select ones with the least gap or the least overlap.</source>
        <translation>Prüfen Sie den Ausdruck und wählen Sie in der Liste die Nummer des Musters ohne Lücke oder Überlappung. 
Trifft keines zu, wählen Sie das mit der kleinsten Lücke oder Überlappung.</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>PfAdjust3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>Horizontale Ausrichtung</translation>
    </message>
    <message>
        <source>Next, this prints adjustment sheet 2 to improve horizontal streaks.
      
      Set “Die-cut labels with a length of 66.7 mm (2.63 in) or more,” “Continuous paper,” or “Continuous label” in the printer.
      
      Configure the setting of [Media form (detection)] to match the media in use.
      
      Press the Print button to execute printing.</source>
        <translation>Als Nächstes wird Justierblatt 2 gedruckt, um waagerechte Streifen zu verringern.

Legen Sie „Stanzetiketten mit einer Länge von 66,7 mm (2,63 Zoll) oder mehr“, „Endlospapier“ oder „Endlosetikett“ in den Drucker ein.

Stellen Sie [Medienform (Erkennung)] passend zum verwendeten Medium ein.

Drücken Sie auf Drucken, um den Druck zu starten.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>PfAdjust4</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>Horizontale Ausrichtung</translation>
    </message>
    <message>
        <source>Examine the print result, then select the number of the pattern without gap or overlap from the list. 
If none is applicable, select ones with the least gap or the least overlap.</source>
        <translation>Prüfen Sie den Ausdruck und wählen Sie in der Liste die Nummer des Musters ohne Lücke oder Überlappung. 
Trifft keines zu, wählen Sie das mit der kleinsten Lücke oder Überlappung.</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>PfAdjust5</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>Horizontale Ausrichtung</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>Erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>PowerInkFlushing1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>Intensivreinigung</translation>
    </message>
    <message>
        <source>Execute only when there are many missing lines in the nozzle check pattern.</source>
        <translation>Nur ausführen, wenn im Düsentestmuster viele Linien fehlen.</translation>
    </message>
    <message>
        <source>Consumes a lot of ink</source>
        <translation>Verbraucht viel Tinte</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Ausführen</translation>
    </message>
</context>
<context>
    <name>PowerInkFlushing2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>Intensivreinigung</translation>
    </message>
    <message>
        <source>Power cleaning is in progress.</source>
        <translation>Intensivreinigung läuft.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>PowerInkFlushing3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>Intensivreinigung</translation>
    </message>
    <message>
        <source>Power cleaning completed.

Click the &quot;Nozzle Check&quot; button and print the nozzle check pattern to check the result.</source>
        <translation>Die Intensivreinigung ist abgeschlossen.

Klicken Sie auf &quot;Düsentest&quot; und drucken Sie das Düsentestmuster, um das Ergebnis zu prüfen.</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>Düsentest</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>PrinterSetting1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Druckereinstellung</translation>
    </message>
    <message>
        <source>Head-Media Clearance Height:</source>
        <translation>Abstand Kopf-Medium:</translation>
    </message>
    <message>
        <source>Incomplete Label Treatment:</source>
        <translation>Unvollständige Etiketten:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>PrinterSetting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Druckereinstellung</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>Erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <source>low, %1%</source>
        <translation>niedrig, %1%</translation>
    </message>
    <message>
        <source>to be replaced</source>
        <translation>auszutauschen</translation>
    </message>
    <message>
        <source>level unknown</source>
        <translation>Füllstand unbekannt</translation>
    </message>
    <message>
        <source>Left Gap:</source>
        <translation>Abstand links:</translation>
    </message>
    <message>
        <source>Left &amp; Right Gap:</source>
        <translation>Abstand links/rechts:</translation>
    </message>
    <message>
        <source>Matte Black</source>
        <translation>Mattschwarz</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Media form (detection)</source>
        <translation>Medienform (Erkennung)</translation>
    </message>
    <message>
        <source>Internal (Roll)</source>
        <translation>Intern (Rolle)</translation>
    </message>
    <message>
        <source>Rear Feed (Fanfold)</source>
        <translation>Hintere Zufuhr (Leporello)</translation>
    </message>
    <message>
        <source>Rear Feed (Roll)</source>
        <translation>Hintere Zufuhr (Rolle)</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Intern</translation>
    </message>
    <message>
        <source>Rear Feed</source>
        <translation>Hintere Zufuhr</translation>
    </message>
    <message>
        <source>Die-cut label (gap detection)</source>
        <translation>Stanzetikett (Lückenerkennung)</translation>
    </message>
    <message>
        <source>Die-cut label (black mark detection)</source>
        <translation>Stanzetikett (Schwarzmarkenerkennung)</translation>
    </message>
    <message>
        <source>Continuous label (black mark detection)</source>
        <translation>Endlosetikett (Schwarzmarkenerkennung)</translation>
    </message>
    <message>
        <source>Continuous label (no detection)</source>
        <translation>Endlosetikett (ohne Erkennung)</translation>
    </message>
    <message>
        <source>Continuous paper (black mark detection)</source>
        <translation>Endlospapier (Schwarzmarkenerkennung)</translation>
    </message>
    <message>
        <source>Continuous paper (no detection)</source>
        <translation>Endlospapier (ohne Erkennung)</translation>
    </message>
    <message>
        <source>Tag (hole detection)</source>
        <translation>Anhänger (Lochererkennung)</translation>
    </message>
    <message>
        <source>Wristband (black mark detection)</source>
        <translation>Armband (Schwarzmarkenerkennung)</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Do not Cut</source>
        <translation>Nicht schneiden</translation>
    </message>
    <message>
        <source>Gap between labels:</source>
        <comment>RV-C2000series</comment>
        <translation>Abstand zwischen Etiketten:</translation>
    </message>
    <message>
        <source>Gap between labels:</source>
        <comment>RV-C5000series</comment>
        <translation>Lücke zwischen Etiketten:</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>Printer is offline</source>
        <translation>Drucker ist offline</translation>
    </message>
    <message>
        <source>Check all connections and make sure all devices are turned on.</source>
        <translation>Prüfen Sie alle Verbindungen und stellen Sie sicher, dass alle Geräte eingeschaltet sind.</translation>
    </message>
    <message>
        <source>Different device from specified</source>
        <translation>Anderes Gerät als angegeben</translation>
    </message>
    <message>
        <source>Attempting to connect to a different device from the one specified in the driver. Check the driver and the device.</source>
        <translation>Es wird versucht, eine Verbindung zu einem anderen als dem im Treiber angegebenen Gerät herzustellen. Prüfen Sie den Treiber und das Gerät.</translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation>Kommunikationsfehler</translation>
    </message>
    <message>
        <source>Check all cable connections and that the printer is turned on.
If this does not fix the problem, try restarting the printer.</source>
        <translation>Prüfen Sie alle Kabelverbindungen und ob der Drucker eingeschaltet ist.
Wenn das Problem dadurch nicht behoben wird, starten Sie den Drucker neu.</translation>
    </message>
    <message>
        <source>General error</source>
        <translation>Allgemeiner Fehler</translation>
    </message>
    <message>
        <source>Delete all print jobs in the spool manager and turn the printer off. Remove any foreign objects from inside the printer then turn the printer back on.  If this is the first print job, please, check to make sure all packing materials and parts have been removed.</source>
        <translation>Löschen Sie alle Druckaufträge in der Warteschlange und schalten Sie den Drucker aus. Entfernen Sie alle Fremdkörper aus dem Drucker und schalten Sie ihn wieder ein.  Falls dies der erste Druckauftrag ist, prüfen Sie bitte, ob alle Verpackungsmaterialien und -teile entfernt wurden.</translation>
    </message>
    <message>
        <source>Printing data from another port</source>
        <translation>Daten von einem anderen Anschluss werden gedruckt</translation>
    </message>
    <message>
        <source>Please wait.</source>
        <translation>Bitte warten.</translation>
    </message>
    <message>
        <source>Roll paper cover open</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Rollenpapierabdeckung offen</translation>
    </message>
    <message>
        <source>Close the roll paper cover.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Schließen Sie die Rollenpapierabdeckung.</translation>
    </message>
    <message>
        <source>Roll paper cover open</source>
        <comment>RV-C9000series</comment>
        <translation>Rollenpapierabdeckung offen</translation>
    </message>
    <message>
        <source>Close the roll paper cover.</source>
        <comment>RV-C9000series</comment>
        <translation>Schließen Sie die Rollenpapierabdeckung.</translation>
    </message>
    <message>
        <source>Paper jam</source>
        <translation>Papierstau</translation>
    </message>
    <message>
        <source>Remove the jammed paper, and then reload the paper.</source>
        <translation>Entfernen Sie das gestaute Papier und legen Sie das Papier neu ein.</translation>
    </message>
    <message>
        <source>Ink cartridge undetected</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Tintenpatrone nicht erkannt</translation>
    </message>
    <message>
        <source>Varda recommends the genuine Varda cartridges listed above.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Varda empfiehlt die oben aufgeführten Original-Varda-Patronen.</translation>
    </message>
    <message>
        <source>Ink cartridge undetected</source>
        <comment>RV-C9000series</comment>
        <translation>Tintenpatrone nicht erkannt</translation>
    </message>
    <message>
        <source>Varda recommends the genuine Varda cartridges listed above.</source>
        <comment>RV-C9000series</comment>
        <translation>Varda empfiehlt die oben aufgeführten Original-Varda-Patronen.</translation>
    </message>
    <message>
        <source>Replace ink cartridge</source>
        <translation>Tintenpatrone austauschen</translation>
    </message>
    <message>
        <source>Varda recommends the genuine Varda cartridges listed above.</source>
        <translation>Varda empfiehlt die oben aufgeführten Original-Varda-Patronen.</translation>
    </message>
    <message>
        <source>Paper not loaded</source>
        <comment>Status_ER_SN_IR</comment>
        <translation>Kein Papier eingelegt</translation>
    </message>
    <message>
        <source>Load the paper.</source>
        <translation>Legen Sie Papier ein.</translation>
    </message>
    <message>
        <source>Paper not loaded</source>
        <translation>Kein Papier eingelegt</translation>
    </message>
    <message>
        <source>Remove any paper which is still in the printer and load new paper.</source>
        <comment>Status_ER_SN_ER</comment>
        <translation>Entfernen Sie das noch im Drucker befindliche Papier und legen Sie neues Papier ein.</translation>
    </message>
    <message>
        <source>Driver media size does not match the paper loaded</source>
        <translation>Das Medienformat des Treibers passt nicht zum eingelegten Papier</translation>
    </message>
    <message>
        <source>Modify the media size on the printer driver to match the loaded paper.</source>
        <translation>Passen Sie das Medienformat im Druckertreiber an das eingelegte Papier an.</translation>
    </message>
    <message>
        <source>The paper feed method differs from the printer settings.</source>
        <translation>Die Papierzufuhr weicht von den Druckereinstellungen ab.</translation>
    </message>
    <message>
        <source>Check the paper feed method for the printer and the paper being used.</source>
        <translation>Prüfen Sie die Papierzufuhr des Druckers und das verwendete Papier.</translation>
    </message>
    <message>
        <source>Replace the maintenance box</source>
        <translation>Wartungsbox austauschen</translation>
    </message>
    <message>
        <source>-%mnt%
Replace the maintenance box.
See your printer documentation for more information on replacing maintenance box.</source>
        <translation>-%mnt%
Tauschen Sie die Wartungsbox aus.
Weitere Informationen zum Austausch der Wartungsbox finden Sie in der Dokumentation des Druckers.</translation>
    </message>
    <message>
        <source>Loaded paper does not match the specified setting</source>
        <translation>Das eingelegte Papier entspricht nicht der Einstellung</translation>
    </message>
    <message>
        <source>Set the correct paper, or check the media layout settings or media position detection settings.</source>
        <translation>Legen Sie das richtige Papier ein oder prüfen Sie die Einstellungen für Medienlayout und Medienpositionserkennung.</translation>
    </message>
    <message>
        <source>Ink cartridge cover open</source>
        <translation>Tintenpatronenabdeckung offen</translation>
    </message>
    <message>
        <source>Close the ink cartridge cover.</source>
        <translation>Schließen Sie die Tintenpatronenabdeckung.</translation>
    </message>
    <message>
        <source>Maintenance box undetected</source>
        <translation>Wartungsbox nicht erkannt</translation>
    </message>
    <message>
        <source>-%mnt%
Install the maintenance box.</source>
        <translation>-%mnt%
Setzen Sie die Wartungsbox ein.</translation>
    </message>
    <message>
        <source>Maintenance box cover open</source>
        <translation>Abdeckung der Wartungsbox offen</translation>
    </message>
    <message>
        <source>Close the maintenance box cover.</source>
        <translation>Schließen Sie die Abdeckung der Wartungsbox.</translation>
    </message>
    <message>
        <source>New paper is loaded without removing the existing paper.</source>
        <translation>Neues Papier wurde eingelegt, ohne das vorhandene zu entfernen.</translation>
    </message>
    <message>
        <source>Remove the loaded new paper once. Remove any paper which is still in the printer and load the new paper again.</source>
        <translation>Nehmen Sie das neu eingelegte Papier wieder heraus. Entfernen Sie das noch im Drucker befindliche Papier und legen Sie das neue Papier erneut ein.</translation>
    </message>
    <message>
        <source>Mechanical adjustment inside printer required.</source>
        <translation>Mechanische Justierung im Drucker erforderlich.</translation>
    </message>
    <message>
        <source>If the error message still appears, contact the store where you purchased the product or an Varda service center.</source>
        <translation>Erscheint die Fehlermeldung weiterhin, wenden Sie sich an Ihren Händler oder an ein Varda-Servicecenter.</translation>
    </message>
    <message>
        <source>The paper cover is open.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Die Papierabdeckung ist offen.</translation>
    </message>
    <message>
        <source>Close the paper cover.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Schließen Sie die Papierabdeckung.</translation>
    </message>
    <message>
        <source>The paper cover is open.</source>
        <comment>RV-C9000series</comment>
        <translation>Die Papierabdeckung ist offen.</translation>
    </message>
    <message>
        <source>Close the paper cover.</source>
        <comment>RV-C9000series</comment>
        <translation>Schließen Sie die Papierabdeckung.</translation>
    </message>
    <message>
        <source>The front cover is open.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Die vordere Abdeckung ist offen.</translation>
    </message>
    <message>
        <source>Close the front cover.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Schließen Sie die vordere Abdeckung.</translation>
    </message>
    <message>
        <source>The front cover is open.</source>
        <comment>RV-C9000series</comment>
        <translation>Die vordere Abdeckung ist offen.</translation>
    </message>
    <message>
        <source>Close the front cover.</source>
        <comment>RV-C9000series</comment>
        <translation>Schließen Sie die vordere Abdeckung.</translation>
    </message>
    <message>
        <source>The release lever is open.</source>
        <translation>Der Entriegelungshebel ist offen.</translation>
    </message>
    <message>
        <source>Close the release lever.</source>
        <translation>Schließen Sie den Entriegelungshebel.</translation>
    </message>
    <message>
        <source>The guide unit is open.</source>
        <translation>Die Führungseinheit ist offen.</translation>
    </message>
    <message>
        <source>Close the guide unit.</source>
        <translation>Schließen Sie die Führungseinheit.</translation>
    </message>
    <message>
        <source>Calibration error</source>
        <translation>Kalibrierungsfehler</translation>
    </message>
    <message>
        <source>Insufficient ink to perform cleaning</source>
        <translation>Zu wenig Tinte für die Reinigung</translation>
    </message>
    <message>
        <source>See the LCD screen on the product and follow the instructions.</source>
        <comment>Status_ER_IC</comment>
        <translation>Folgen Sie den Anweisungen auf dem LCD-Bildschirm des Geräts.</translation>
    </message>
    <message>
        <source>Cannot start cleaning because the Maintenance Box is near full.</source>
        <translation>Die Reinigung kann nicht gestartet werden, da die Wartungsbox fast voll ist.</translation>
    </message>
    <message>
        <source>Printer features except cleaning are available.</source>
        <comment>Status_ER_MC</comment>
        <translation>Alle Druckerfunktionen außer der Reinigung sind verfügbar.</translation>
    </message>
    <message>
        <source>Label not detected</source>
        <translation>Etikett nicht erkannt</translation>
    </message>
    <message>
        <source>Follow the instructions on the printer&apos;s LCD screen.</source>
        <translation>Folgen Sie den Anweisungen auf dem LCD-Bildschirm des Druckers.</translation>
    </message>
    <message>
        <source>The printer is waiting for a panel operation.</source>
        <translation>Der Drucker wartet auf eine Eingabe am Bedienfeld.</translation>
    </message>
    <message>
        <source>Check the printer&apos;s panel.</source>
        <translation>Prüfen Sie das Bedienfeld des Druckers.</translation>
    </message>
    <message>
        <source>The storage memory is full.</source>
        <translation>Der Speicher ist voll.</translation>
    </message>
    <message>
        <source>Clogged nozzles were detected while printing.</source>
        <translation>Beim Drucken wurden verstopfte Düsen erkannt.</translation>
    </message>
    <message>
        <source>Check the print results and the printer&apos;s panel.</source>
        <translation>Prüfen Sie die Druckergebnisse und das Bedienfeld des Druckers.</translation>
    </message>
    <message>
        <source>The printer is paused.</source>
        <translation>Der Drucker ist angehalten.</translation>
    </message>
    <message>
        <source>Finish menu operations, or press the Pause button on the printer&apos;s panel to release the pause.</source>
        <translation>Beenden Sie die Menübedienung oder drücken Sie die Pause-Taste am Bedienfeld des Druckers, um die Pause aufzuheben.</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Druckvorgang läuft</translation>
    </message>
    <message>
        <source>Paper not loaded</source>
        <comment>Status_IL_PAPT_IR</comment>
        <translation>Kein Papier eingelegt</translation>
    </message>
    <message>
        <source>Remove any paper which is still in the printer and load new paper.</source>
        <comment>Status_IL_PAPT_ER</comment>
        <translation>Entfernen Sie das noch im Drucker befindliche Papier und legen Sie neues Papier ein.</translation>
    </message>
    <message>
        <source>Print head unrecoverable clogged nozzles</source>
        <translation>Nicht behebbare verstopfte Düsen im Druckkopf</translation>
    </message>
    <message>
        <source>Print head unrecoverable clogged nozzles are detected.
The print result may be affected.
You can continue printing, but contact the store where you purchased the product or an Varda service center if the print result is affected.</source>
        <translation>Im Druckkopf wurden nicht behebbare verstopfte Düsen erkannt.
Das Druckergebnis kann beeinträchtigt sein.
Sie können weiter drucken; ist das Druckergebnis beeinträchtigt, wenden Sie sich an Ihren Händler oder an ein Varda-Servicecenter.</translation>
    </message>
    <message>
        <source>Mechanical adjustment inside printer will be required soon.</source>
        <translation>Eine mechanische Justierung im Drucker ist bald erforderlich.</translation>
    </message>
    <message>
        <source>Contact the store where you purchased the product or an Varda service center.</source>
        <translation>Wenden Sie sich an Ihren Händler oder an ein Varda-Servicecenter.</translation>
    </message>
    <message>
        <source>Maintenance box is nearing the end of its service life.</source>
        <translation>Die Wartungsbox hat bald das Ende ihrer Lebensdauer erreicht.</translation>
    </message>
    <message>
        <source>-%mnt%
Prepare a new maintenance box.
You can continue printing until replacement is required.</source>
        <translation>-%mnt%
Halten Sie eine neue Wartungsbox bereit.
Sie können weiter drucken, bis ein Austausch erforderlich ist.</translation>
    </message>
    <message>
        <source>Ink is low</source>
        <translation>Wenig Tinte</translation>
    </message>
    <message>
        <source>Prepare a new ink cartridge in advance.
Varda recommends the genuine Varda cartridges listed above.
You can continue printing until replacement is required.</source>
        <translation>Halten Sie rechtzeitig eine neue Tintenpatrone bereit.
Varda empfiehlt die oben aufgeführten Original-Varda-Patronen.
Sie können weiter drucken, bis ein Austausch erforderlich ist.</translation>
    </message>
    <message>
        <source>Cannot perform a status check of the print head.</source>
        <translation>Die Zustandsprüfung des Druckkopfs ist nicht möglich.</translation>
    </message>
    <message>
        <source>Cannot confirm the print head status because the temperature is outside the guaranteed operating range.
Although you can print at this temperature, we recommend an ambient temperature of within 5°C {41°F} and 35°C {95°F} to maintain optimum print quality.
* This is displayed when print head status confirmation is disabled.</source>
        <translation>Der Zustand des Druckkopfs kann nicht bestätigt werden, da die Temperatur außerhalb des garantierten Betriebsbereichs liegt.
Sie können bei dieser Temperatur drucken, für eine optimale Druckqualität empfehlen wir jedoch eine Umgebungstemperatur zwischen 5°C {41°F} und 35°C {95°F}.
* Diese Meldung erscheint, wenn die Bestätigung des Druckkopfzustands deaktiviert ist.</translation>
    </message>
    <message>
        <source>Ready to print</source>
        <translation>Druckbereit</translation>
    </message>
    <message>
        <source>Ready to print.</source>
        <translation>Druckbereit.</translation>
    </message>
    <message>
        <source>Processing job</source>
        <translation>Auftrag wird verarbeitet</translation>
    </message>
    <message>
        <source>The printer is cleaning the print head.</source>
        <translation>Der Drucker reinigt den Druckkopf.</translation>
    </message>
    <message>
        <source>The printer is cleaning the print head. Please wait.</source>
        <translation>Der Drucker reinigt den Druckkopf. Bitte warten.</translation>
    </message>
    <message>
        <source>Initial ink charging is not complete</source>
        <translation>Die Erstbefüllung mit Tinte ist nicht abgeschlossen</translation>
    </message>
    <message>
        <source>Install the ink cartridges.
See the setup sheet for details.</source>
        <translation>Setzen Sie die Tintenpatronen ein.
Einzelheiten finden Sie im Einrichtungsblatt.</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Maintenance box</source>
        <translation>Wartungsbox</translation>
    </message>
</context>
<context>
    <name>STM</name>
    <message>
        <source>Printer status</source>
        <translation>Druckerstatus</translation>
    </message>
    <message>
        <source>Advice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Ink Levels</source>
        <translation>Tintenstände</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Maintenance Box Service Life</source>
        <translation>Lebensdauer der Wartungsbox</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Printer status</source>
        <translation>Druckerstatus</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>VARDA Status Monitor</source>
        <translation>VARDA Statusmonitor</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>Düsentest</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>Druckkopfreinigung</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>Intensivreinigung</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>Vertikale Ausrichtung</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>Medieneinstellung</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>Positionsjustierung</translation>
    </message>
    <message>
        <source>Settings For Paper Handling After Print</source>
        <translation>Papierbehandlung nach dem Druck</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Druckereinstellung</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>Horizontale Ausrichtung</translation>
    </message>
</context>
</TS>
