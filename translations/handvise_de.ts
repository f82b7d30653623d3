<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>calc::OkButton</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>calc::TForm1</name>
    <message>
        <source>Enter a value</source>
        <translation>Wert eingeben</translation>
    </message>
    <message>
        <source>Resulting Tension</source>
        <translation>Widerstand</translation>
    </message>
    <message>
        <source> Varnok Handvise</source>
        <comment>window caption of the result view, with its leading blank</comment>
        <translation> Varnok Handvise</translation>
    </message>
    <message>
        <source> KTX Calc</source>
        <comment>window caption of the entry view, with its leading blank</comment>
        <translation> KTX Calc</translation>
    </message>
    <message>
        <source> Varnok Handvise Calculator</source>
        <comment>window caption with the list shown, with its leading blank</comment>
        <translation> Varnok Handvise Rechner</translation>
    </message>
    <message>
        <source> Spring Count </source>
        <translation> Federanzahl </translation>
    </message>
    <message>
        <source> Grip Position </source>
        <translation> Griffposition </translation>
    </message>
    <message>
        <source>Inner</source>
        <comment>grip position</comment>
        <translation>Innen</translation>
    </message>
    <message>
        <source>Outer</source>
        <comment>grip position</comment>
        <translation>Außen</translation>
    </message>
    <message>
        <source>Spring Positions</source>
        <translation>Federpositionen</translation>
    </message>
    <message>
        <source>Click here to enter a value.</source>
        <translation>Hier klicken, um einen Wert einzugeben.</translation>
    </message>
    <message>
        <source>&amp;Find Settings</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Show List</source>
        <translation>&amp;Liste zeigen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Center Calculator</source>
        <translation>Rechner zentrieren</translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Percentages</source>
        <translation>Prozentwerte</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Umrechnung</translation>
    </message>
    <message>
        <source>Setting</source>
        <comment>the settings track bar, for screen readers</comment>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>PageSize Setting</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>TrackBar Position</source>
        <translation>Position des Schiebereglers</translation>
    </message>
    <message>
        <source>Page size</source>
        <comment>the page-size slider, for screen readers</comment>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>Tension list</source>
        <translation>Widerstandsliste</translation>
    </message>
    <message>
        <source>Tension List Setting</source>
        <translation>Bereich der Widerstandsliste</translation>
    </message>
    <message>
        <source>&amp;Hide List</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Tension list range</source>
        <translation>Bereich der Widerstandsliste</translation>
    </message>
    <message>
        <source>%1 pounds, spring %2</source>
        <translation>%1 Pfund, Feder %2</translation>
    </message>
    <message>
        <source>%1 pounds, springs %2</source>
        <translation>%1 Pfund, Federn %2</translation>
    </message>
    <message>
        <source>%1 to %2 pounds</source>
        <translation>%1 bis %2 Pfund</translation>
    </message>
    <message>
        <source>percent</source>
        <comment>as in &quot;40 percent : 68&quot;</comment>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>Invalid input.

Avoid this error by entering integers only.</source>
        <translation>Ungültige Eingabe.

Geben Sie nur ganze Zahlen ein, um diesen Fehler zu vermeiden.</translation>
    </message>
    <message>
        <source>Center Calculator: this desktop places windows itself</source>
        <translation>Rechner zentrieren: Diese Arbeitsumgebung platziert Fenster selbst</translation>
    </message>
</context>
<context>
    <name>calc::TFormConvert</name>
    <message>
        <source>Conversion</source>
        <translation>Umrechnung</translation>
    </message>
    <message>
        <source> English Units </source>
        <translation> Angloamerikanisch </translation>
    </message>
    <message>
        <source>Pounds</source>
        <translation>Pfund</translation>
    </message>
    <message>
        <source>Slugs</source>
        <translation>Slugs</translation>
    </message>
    <message>
        <source> Metric Units </source>
        <translation> Metrisch </translation>
    </message>
    <message>
        <source>Kilograms</source>
        <translation>Kilogramm</translation>
    </message>
    <message>
        <source>Newtons</source>
        <translation>Newton</translation>
    </message>
</context>
<context>
    <name>calc::TFormPercentage</name>
    <message>
        <source>Percentages</source>
        <translation>Prozentwerte</translation>
    </message>
</context>
<context>
    <name>calc::main</name>
    <message>
        <source>Varnok Handvise Calculator</source>
        <translation>Varnok Handvise Rechner</translation>
    </message>
</context>
<context>
    <name>controls::TAboutBox</name>
    <message>
        <source>Grip Forum</source>
        <translation>Grip Forum</translation>
    </message>
    <message>
        <source>© The Varnok Handvise project</source>
        <translation>© Das Varnok-Handvise-Projekt</translation>
    </message>
    <message>
        <source>Everyone who trains their grip</source>
        <translation>Allen, die ihre Griffkraft trainieren</translation>
    </message>
    <message>
        <source>and shares what works.</source>
        <translation>und teilen, was hilft.</translation>
    </message>
    <message>
        <source>Icons: Varnok Handvise project</source>
        <translation>Symbole: Varnok-Handvise-Projekt</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Varnok Handvise Calculator</source>
        <translation>Varnok Handvise Rechner</translation>
    </message>
    <message>
        <source>Varnok Handvise Routine Designer</source>
        <translation>Varnok Handvise Trainingsplaner</translation>
    </message>
    <message>
        <source>Varnok Handvise Calculators</source>
        <comment>the link to the maker&apos;s page about the calculators</comment>
        <translation>Varnok Handvise Rechner</translation>
    </message>
    <message>
        <source>Greetings fly out to:</source>
        <translation>Grüße gehen an:</translation>
    </message>
    <message>
        <source>Please consider sending a donation</source>
        <translation>Bitte denken Sie an eine Spende,</translation>
    </message>
    <message>
        <source>if this program helps you.</source>
        <translation>wenn Ihnen dieses Programm hilft.</translation>
    </message>
    <message>
        <source>Thank you.</source>
        <translation>Vielen Dank.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>controls::TApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
</context>
<context>
    <name>controls::THelpWindow</name>
    <message>
        <source> - Help</source>
        <translation> - Hilfe</translation>
    </message>
    <message>
        <source>The help page %1 is not installed.</source>
        <translation>Die Hilfeseite %1 ist nicht installiert.</translation>
    </message>
    <message>
        <source>Help</source>
        <comment>the help page, for screen readers</comment>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>controls::TProgramIdentity</name>
    <message>
        <source>Varnok Handvise Calculator: the spring setting of an adjustable hand gripper for any tension.</source>
        <translation>Varnok Handvise Rechner: die Federeinstellung eines verstellbaren Handtrainers für jeden Widerstand.</translation>
    </message>
    <message>
        <source>KTX Routine Designer: an eight-week gripper training cycle from an estimated maximum, printed or saved as PDF.</source>
        <translation>KTX Trainingsplaner: ein achtwöchiger Trainingszyklus für den Handtrainer aus einem geschätzten Maximum, gedruckt oder als PDF gespeichert.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Befehlszeilenoptionen an.</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Aufruf: %1 [Optionen]</translation>
    </message>
</context>
<context>
    <name>controls::UrlOpener</name>
    <message>
        <source>No program on this desktop could open the web address

%1</source>
        <translation>Kein Programm dieser Arbeitsumgebung konnte die Webadresse öffnen

%1</translation>
    </message>
</context>
<context>
    <name>designer::RoutinePreview</name>
    <message>
        <source>The routine preview cannot be shown: %1</source>
        <translation>Die Vorschau des Trainingsplans kann nicht angezeigt werden: %1</translation>
    </message>
    <message>
        <source>%1 is not the routine preview</source>
        <translation>%1 ist nicht die Vorschau des Trainingsplans</translation>
    </message>
    <message>
        <source>%1 was not found</source>
        <translation>%1 wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>designer::RoutineSheet</name>
    <message>
        <source>Week : %1</source>
        <translation>Woche : %1</translation>
    </message>
    <message>
        <source>No page is being recorded for the routine sheet</source>
        <translation>Für den Trainingsplan wird gerade keine Seite aufgezeichnet</translation>
    </message>
</context>
<context>
    <name>designer::TForm1</name>
    <message>
        <source>KTX Routine Designer</source>
        <translation>KTX Trainingsplaner</translation>
    </message>
    <message>
        <source>Enter a value in pounds then click the Training Cycle button to view a suggested eight-week training cycle.</source>
        <translation>Geben Sie einen Wert in Pfund ein und klicken Sie auf „Trainingszyklus“ für einen Vorschlag über acht Wochen.</translation>
    </message>
    <message>
        <source>Estimated Maximum :</source>
        <translation>Geschätztes Max. :</translation>
    </message>
    <message>
        <source>Tension in Pounds</source>
        <translation>Widerstand in Pfund</translation>
    </message>
    <message>
        <source>Training Cycle</source>
        <translation>Trainingszyklus</translation>
    </message>
    <message>
        <source> Settings </source>
        <translation> Einstellungen </translation>
    </message>
    <message>
        <source>Spring Count : </source>
        <translation>Federanzahl : </translation>
    </message>
    <message>
        <source>Grip Position : </source>
        <translation>Griffposition : </translation>
    </message>
    <message>
        <source>Inner</source>
        <comment>grip position</comment>
        <translation>Innen</translation>
    </message>
    <message>
        <source> Intensity </source>
        <translation> Intensität </translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>Intensität</translation>
    </message>
    <message>
        <source>Heavy</source>
        <comment>intensity</comment>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Spring Count</source>
        <translation>&amp;Federanzahl</translation>
    </message>
    <message>
        <source>&amp;Grip Position</source>
        <translation>&amp;Griffposition</translation>
    </message>
    <message>
        <source>Outer</source>
        <comment>grip position</comment>
        <translation>Außen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>KTX Suite Help</source>
        <translation>Hilfe zur KTX-Suite</translation>
    </message>
    <message>
        <source>Visit Website</source>
        <translation>Website besuchen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Light</source>
        <comment>intensity</comment>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Medium</source>
        <comment>intensity</comment>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>Something went wrong.</source>
        <translation>Etwas ist schiefgegangen.</translation>
    </message>
</context>
<context>
    <name>designer::TForm2</name>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>Save as PDF...</source>
        <translation>Als PDF...</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <source>reset</source>
        <comment>brightness and contrast back to 0</comment>
        <translation>zurücksetzen</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Zoom : </source>
        <translation>Zoom : </translation>
    </message>
    <message>
        <source>zoom to width</source>
        <translation>Seitenbreite</translation>
    </message>
    <message>
        <source>zoom to height</source>
        <translation>Seitenhöhe</translation>
    </message>
    <message>
        <source>zoom to fit</source>
        <translation>Ganze Seite</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom choices</source>
        <translation>Zoomstufen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Routine sheet</source>
        <translation>Trainingsplan</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Training Cycle</source>
        <comment>title of the print job</comment>
        <translation>Trainingszyklus</translation>
    </message>
    <message>
        <source> - Saving as PDF...</source>
        <translation> - Als PDF speichern...</translation>
    </message>
    <message>
        <source> - Creating pages...</source>
        <translation> - Seiten werden erstellt...</translation>
    </message>
    <message>
        <source>Page %1 of %2, zoom %3 %</source>
        <translation>Seite %1 von %2, Zoom %3 %</translation>
    </message>
    <message>
        <source>%1 - Printing page %2 of %3 (%%4 done)...</source>
        <translation>%1 - Drucke Seite %2 von %3 (%%4 erledigt)...</translation>
    </message>
    <message>
        <source> - Preparing to print...</source>
        <translation> - Druck wird vorbereitet...</translation>
    </message>
</context>
<context>
    <name>designer::main</name>
    <message>
        <source>Varnok Handvise</source>
        <translation>Varnok Handvise</translation>
    </message>
</context>
<context>
    <name>dspdf</name>
    <message>
        <source>The PDF library needs a graphical application; this program has none</source>
        <translation>Die PDF-Bibliothek braucht eine grafische Anwendung; dieses Programm hat keine</translation>
    </message>
    <message>
        <source>No PDF document has been started</source>
        <translation>Es wurde kein PDF-Dokument begonnen</translation>
    </message>
    <message>
        <source>The PDF writer refused the page size</source>
        <translation>Der PDF-Schreiber hat die Seitengröße abgelehnt</translation>
    </message>
    <message>
        <source>The PDF writer could not start the document</source>
        <translation>Der PDF-Schreiber konnte das Dokument nicht beginnen</translation>
    </message>
    <message>
        <source>The PDF writer could not start a new page</source>
        <translation>Der PDF-Schreiber konnte keine neue Seite beginnen</translation>
    </message>
    <message>
        <source>Unknown page orientation %1</source>
        <translation>Unbekannte Seitenausrichtung %1</translation>
    </message>
    <message>
        <source>Unknown paper code %1 without a page size</source>
        <translation>Unbekannter Papiercode %1 ohne Seitengröße</translation>
    </message>
    <message>
        <source>Page size out of range: %1 x %2 hundredths of a millimetre</source>
        <translation>Seitengröße außerhalb des Bereichs: %1 x %2 Hundertstelmillimeter</translation>
    </message>
    <message>
        <source>The bytes of page %1 are not a recorded page: %2</source>
        <translation>Die Bytes der Seite %1 sind keine aufgezeichnete Seite: %2</translation>
    </message>
    <message>
        <source>Page %1 could not be replayed: its records are damaged</source>
        <translation>Seite %1 konnte nicht wiedergegeben werden: ihre Aufzeichnung ist beschädigt</translation>
    </message>
    <message>
        <source>Cannot read the page file %1: %2</source>
        <translation>Die Seitendatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Out of memory while writing the PDF file</source>
        <translation>Zu wenig Speicher beim Schreiben der PDF-Datei</translation>
    </message>
    <message>
        <source>Unknown failure in the PDF library</source>
        <translation>Unbekannter Fehler in der PDF-Bibliothek</translation>
    </message>
    <message>
        <source>A PDF document is already open</source>
        <translation>Ein PDF-Dokument ist bereits geöffnet</translation>
    </message>
    <message>
        <source>No file name for the PDF document</source>
        <translation>Kein Dateiname für das PDF-Dokument</translation>
    </message>
    <message>
        <source>Cannot create the PDF file %1: %2</source>
        <translation>Die PDF-Datei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The PDF writer could not finish the document</source>
        <translation>Der PDF-Schreiber konnte das Dokument nicht abschließen</translation>
    </message>
    <message>
        <source>Cannot write the PDF file %1: %2</source>
        <translation>Die PDF-Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The page size must be set before the page is drawn on</source>
        <translation>Die Seitengröße muss festgelegt sein, bevor auf die Seite gezeichnet wird</translation>
    </message>
    <message>
        <source>The page&apos;s bytes are not a recorded page</source>
        <translation>Die Bytes der Seite sind keine aufgezeichnete Seite</translation>
    </message>
    <message>
        <source>The document&apos;s title must be set before its first page is drawn on</source>
        <translation>Der Titel des Dokuments muss vor dem Zeichnen der ersten Seite gesetzt werden</translation>
    </message>
</context>
<context>
    <name>preview</name>
    <message>
        <source>Cannot load the cursor %1</source>
        <translation>Der Mauszeiger %1 kann nicht geladen werden</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation>Lesefehler im Datenstrom</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Schreibfehler im Datenstrom</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Listenindex außerhalb des Bereichs (%1)</translation>
    </message>
    <message>
        <source>Cannot assign a %1 to a %2</source>
        <translation>Ein %1 kann keinem %2 zugewiesen werden</translation>
    </message>
    <message>
        <source>not a recorded page: %1</source>
        <translation>keine aufgezeichnete Seite: %1</translation>
    </message>
    <message>
        <source>the page&apos;s records are damaged</source>
        <translation>die Aufzeichnung der Seite ist beschädigt</translation>
    </message>
    <message>
        <source>the page&apos;s drawing cannot be kept: %1</source>
        <translation>die Zeichnung der Seite kann nicht aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>cannot reach a page in the temporary file</source>
        <translation>eine Seite in der temporären Datei ist nicht erreichbar</translation>
    </message>
    <message>
        <source>a page in the temporary file is damaged</source>
        <translation>eine Seite in der temporären Datei ist beschädigt</translation>
    </message>
    <message>
        <source>a page is too large for the temporary file</source>
        <translation>eine Seite ist zu groß für die temporäre Datei</translation>
    </message>
    <message>
        <source>Cannot locate libdspdf.so</source>
        <translation>libdspdf.so wurde nicht gefunden</translation>
    </message>
    <message>
        <source>The PDF library failed in %1</source>
        <translation>Die PDF-Bibliothek ist in %1 gescheitert</translation>
    </message>
    <message>
        <source>There is no printer to print on</source>
        <translation>Es gibt keinen Drucker, auf dem gedruckt werden kann</translation>
    </message>
    <message>
        <source>Cannot save as PDF while the preview is busy</source>
        <translation>Als PDF speichern ist nicht möglich, solange die Vorschau beschäftigt ist</translation>
    </message>
    <message>
        <source>Cannot read the print job&apos;s temporary file: %1</source>
        <translation>Die temporäre Datei des Druckauftrags kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot create the print job&apos;s temporary file in %1: %2</source>
        <translation>Die temporäre Datei des Druckauftrags kann in %1 nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot open the print job&apos;s temporary file: %1</source>
        <translation>Die temporäre Datei des Druckauftrags kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Cannot write the print job&apos;s temporary file: %1</source>
        <translation>Die temporäre Datei des Druckauftrags kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The default printer</source>
        <extracomment>the subject of &quot;%1 is not available: %2&quot;, &quot;%1 is stopped&quot; and the like</extracomment>
        <translation>Der Standarddrucker</translation>
    </message>
    <message>
        <source>The printer %1</source>
        <extracomment>the subject of &quot;%1 is not available: %2&quot;, &quot;%1 is stopped&quot; and the like; %1 is the queue&apos;s name</extracomment>
        <translation>Der Drucker %1</translation>
    </message>
    <message>
        <source>The print server %1 does not answer</source>
        <translation>Der Druckserver %1 antwortet nicht</translation>
    </message>
    <message>
        <source>%1 is not available: %2</source>
        <translation>%1 ist nicht verfügbar: %2</translation>
    </message>
    <message>
        <source>%1 is stopped</source>
        <translation>%1 ist angehalten</translation>
    </message>
    <message>
        <source>%1 is stopped: %2</source>
        <translation>%1 ist angehalten: %2</translation>
    </message>
    <message>
        <source>%1 did not take the print job: %2</source>
        <translation>%1 hat den Druckauftrag nicht angenommen: %2</translation>
    </message>
    <message>
        <source>There is not enough memory to create a new page</source>
        <translation>Es ist nicht genug Speicher frei, um eine neue Seite anzulegen</translation>
    </message>
    <message>
        <source>The printer does not take the paper %1</source>
        <translation>Der Drucker nimmt das Papier %1 nicht an</translation>
    </message>
    <message>
        <source>The printer could not start the print job</source>
        <translation>Der Drucker konnte den Druckauftrag nicht beginnen</translation>
    </message>
    <message>
        <source>The printer could not start a new page</source>
        <translation>Der Drucker konnte keine neue Seite beginnen</translation>
    </message>
    <message>
        <source>The printer could not finish the print job</source>
        <translation>Der Drucker konnte den Druckauftrag nicht abschließen</translation>
    </message>
    <message>
        <source>the file ends early</source>
        <translation>die Datei endet vorzeitig</translation>
    </message>
    <message>
        <source>Cannot print: the CUPS library %1 cannot be loaded: %2</source>
        <translation>Drucken nicht möglich: Die CUPS-Bibliothek %1 kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>Cannot print: the CUPS library %1 has no %2</source>
        <translation>Drucken nicht möglich: Der CUPS-Bibliothek %1 fehlt %2</translation>
    </message>
</context>
<context>
    <name>preview::TPageReader</name>
    <message>
        <source>No page</source>
        <comment>the preview shows no page, for screen readers</comment>
        <translation>Keine Seite</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <comment>the page shown, for screen readers</comment>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>preview::TPrintPreview</name>
    <message>
        <source>The page cannot be shown: %1</source>
        <translation>Die Seite kann nicht angezeigt werden: %1</translation>
    </message>
</context>
</TS>
