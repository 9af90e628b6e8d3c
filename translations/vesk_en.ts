<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs">
<context>
    <name>ChartImageFile</name>
    <message>
        <source>the picture could not be encoded</source>
        <translation>the picture could not be encoded</translation>
    </message>
</context>
<context>
    <name>ClockTab</name>
    <message>
        <source> Regulátor </source>
        <translation> Controller </translation>
    </message>
    <message>
        <source>Hodiny regulátoru</source>
        <translation>Controller clock</translation>
    </message>
    <message>
        <source>Režim:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>(nic)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Parametr:</source>
        <translation>Parameter:</translation>
    </message>
    <message>
        <source>Odchylka:</source>
        <translation>Deviation:</translation>
    </message>
    <message>
        <source>Temp:</source>
        <translation>Temp:</translation>
    </message>
    <message>
        <source>Korekce zdí:</source>
        <translation>Wall correction:</translation>
    </message>
    <message>
        <source>Ekv. teplota:</source>
        <translation>Curve temp.:</translation>
    </message>
    <message>
        <source>Stř. tepl. minulá:</source>
        <translation>Prev. avg. temp.:</translation>
    </message>
    <message>
        <source>Běh kotle:</source>
        <translation>Boiler run:</translation>
    </message>
    <message>
        <source>Nastavit hodiny regulátoru podle počítače</source>
        <translation>Set the controller clock from the computer</translation>
    </message>
    <message>
        <source> Počítač </source>
        <translation> Computer </translation>
    </message>
    <message>
        <source>Hodiny počítače</source>
        <translation>Computer clock</translation>
    </message>
    <message>
        <source>Převzít čas počítače do ručního nastavení</source>
        <translation>Copy the computer time to the manual setting</translation>
    </message>
    <message>
        <source> Ruční nastavení </source>
        <translation> Manual setting </translation>
    </message>
    <message>
        <source>Hodina</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>00</source>
        <translation>00</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>Minuta</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>Sekunda</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>Den v týdnu</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>Nastavit hodiny regulátoru podle ručního nastavení</source>
        <translation>Set the controller clock from the manual setting</translation>
    </message>
    <message>
        <source> Teplotní senzory </source>
        <translation> Temperature sensors </translation>
    </message>
    <message>
        <source>Čidlo 0</source>
        <translation>Sensor 0</translation>
    </message>
    <message>
        <source>Čidlo 1</source>
        <translation>Sensor 1</translation>
    </message>
    <message>
        <source>Čidlo 2</source>
        <translation>Sensor 2</translation>
    </message>
    <message>
        <source>Čidlo 3</source>
        <translation>Sensor 3</translation>
    </message>
    <message>
        <source>Čidlo 4</source>
        <translation>Sensor 4</translation>
    </message>
    <message>
        <source>Čidlo 5</source>
        <translation>Sensor 5</translation>
    </message>
    <message>
        <source>Čidlo 6</source>
        <translation>Sensor 6</translation>
    </message>
    <message>
        <source>Čidlo 7</source>
        <translation>Sensor 7</translation>
    </message>
    <message>
        <source>Rychlé čtení stavu</source>
        <translation>Quick reading</translation>
    </message>
    <message>
        <source> Digitální vstupy / výstupy </source>
        <translation> Digital inputs / outputs </translation>
    </message>
    <message>
        <source>Kotel</source>
        <translation>Boiler</translation>
    </message>
    <message>
        <source>Modulátor
(vyšší výkon)</source>
        <translation>Modulator
(higher power)</translation>
    </message>
    <message>
        <source>Čerpadlo</source>
        <translation>Pump</translation>
    </message>
</context>
<context>
    <name>ConstTab</name>
    <message>
        <source> Ekvitermní kalorest </source>
        <translation> Equithermal Kalorest </translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>krát / 4</source>
        <translation>times / 4</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source> Termostatová kalorest </source>
        <translation> Thermostat Kalorest </translation>
    </message>
    <message>
        <source>minut</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source> Čidla </source>
        <translation> Sensors </translation>
    </message>
    <message>
        <source>Čidlo:</source>
        <translation>No.:</translation>
    </message>
    <message>
        <source>Název:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Korekce:</source>
        <translation>Offset:</translation>
    </message>
    <message>
        <source> Automatické přepnutí </source>
        <translation> Automatic switch </translation>
    </message>
    <message>
        <source>dnů</source>
        <translation>days</translation>
    </message>
    <message>
        <source>hodin</source>
        <translation>hours</translation>
    </message>
    <message>
        <source> Obecné parametry </source>
        <translation> General parameters </translation>
    </message>
    <message>
        <source> Zapisovaná čidla </source>
        <translation> Logged sensors </translation>
    </message>
    <message>
        <source> Informace </source>
        <translation> Information </translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Vynulovat počet spuštění</source>
        <translation>Reset the start count</translation>
    </message>
    <message>
        <source>×</source>
        <translation>×</translation>
    </message>
    <message>
        <source>0 hod 0 min 0 sec</source>
        <translation>0 h 0 min 0 s</translation>
    </message>
    <message>
        <source>Vynulovat celkovou dobu běhu kotle</source>
        <translation>Reset the total boiler run time</translation>
    </message>
</context>
<context>
    <name>DebugDump</name>
    <message>
        <source>SP = $%1: zásobník příliš nízko, registry nelze dekódovat</source>
        <translation>SP = $%1: stack too low, the registers cannot be decoded</translation>
    </message>
    <message>
        <source>Výpis zásobníku</source>
        <translation>Stack dump</translation>
    </message>
    <message>
        <source>Výpis paměti $20 - $4F</source>
        <translation>Memory dump $20 - $4F</translation>
    </message>
</context>
<context>
    <name>DirectTab</name>
    <message>
        <source> Požadavek </source>
        <translation> Request </translation>
    </message>
    <message>
        <source>EEPROM</source>
        <translation>EEPROM</translation>
    </message>
    <message>
        <source>Ladění</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>Stránka EEPROM</source>
        <translation>EEPROM page</translation>
    </message>
    <message>
        <source>Druh ladicího výpisu</source>
        <translation>Kind of debug dump</translation>
    </message>
    <message>
        <source>zpracovaný</source>
        <translation>processed</translation>
    </message>
    <message>
        <source>pouze paměť</source>
        <translation>memory only</translation>
    </message>
    <message>
        <source> Celá paměť </source>
        <translation> Whole memory </translation>
    </message>
    <message>
        <source>Uloží všech 16 stránek řídicí jednotky do souboru zálohy (*.vskb).</source>
        <translation>Saves all 16 pages of the controller into a backup file (*.vskb).</translation>
    </message>
    <message>
        <source>Zálohovat...</source>
        <translation>Back up...</translation>
    </message>
    <message>
        <source>Zapíše do řídicí jednotky stránky ze zálohy, které se liší. Předtím uloží automatickou zálohu.</source>
        <translation>Writes the pages of a backup that differ into the controller. Saves an automatic backup first.</translation>
    </message>
    <message>
        <source>Obnovit...</source>
        <translation>Restore...</translation>
    </message>
    <message>
        <source>Porovná zálohu s řídicí jednotkou; vyberete-li dvě zálohy, porovná je navzájem.</source>
        <translation>Compares a backup with the controller; with two backups chosen, compares them with each other.</translation>
    </message>
    <message>
        <source>Porovnat...</source>
        <translation>Compare...</translation>
    </message>
    <message>
        <source>Šestnáctkový editor</source>
        <translation>Hex editor</translation>
    </message>
    <message>
        <source>Šestnáct bajtů na řádek; šipky vybírají bajt, psaní, F2 nebo Enter otevře úpravu, Enter ji uloží, Esc zruší.</source>
        <translation>Sixteen bytes a row; the arrows choose a byte, typing, F2 or Enter opens an edit, Enter stores it, Esc cancels it.</translation>
    </message>
    <message>
        <source>Ladicí výpis</source>
        <translation>Debug dump</translation>
    </message>
    <message>
        <source>Registry</source>
        <translation>Registers</translation>
    </message>
</context>
<context>
    <name>EkvithGraph</name>
    <message>
        <source>Venkovní teplota [°C]</source>
        <translation>Outdoor temp. [°C]</translation>
    </message>
    <message>
        <source>Topná voda [°C]</source>
        <translation>Heating water [°C]</translation>
    </message>
</context>
<context>
    <name>EkvithTab</name>
    <message>
        <source>Ekvitermní křivka</source>
        <translation>Heating curve</translation>
    </message>
    <message>
        <source>Graf ekvitermní křivky</source>
        <translation>Chart of the heating curve</translation>
    </message>
    <message>
        <source>Teplota topné vody podle venkovní teploty, s naměřenými body ze záznamů, jsou-li zobrazeny.</source>
        <translation>The heating water temperature by the outdoor temperature, with the measured points from the logs when they are shown.</translation>
    </message>
    <message>
        <source>Zobrazit naměřené body</source>
        <translation>Show measured points</translation>
    </message>
    <message>
        <source> Vyplnit podle kvadratické rovnice y=ax^2+bx+c </source>
        <translation> Fill by the quadratic equation y=ax^2+bx+c </translation>
    </message>
    <message>
        <source>A = </source>
        <translation>A = </translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>B = </source>
        <translation>B = </translation>
    </message>
    <message>
        <source>C = </source>
        <translation>C = </translation>
    </message>
    <message>
        <source>Vyplnit</source>
        <translation>Fill</translation>
    </message>
</context>
<context>
    <name>Field</name>
    <message>
        <source>ano</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>ne</source>
        <translation>no</translation>
    </message>
    <message>
        <source>(nic)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Vypnuto</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Ekvitermní</source>
        <translation>Equithermal</translation>
    </message>
    <message>
        <source>Termostat</source>
        <translation>Thermostat</translation>
    </message>
    <message>
        <source>Režim A - silný</source>
        <translation>Mode A - strong</translation>
    </message>
    <message>
        <source>Režim B - slabý</source>
        <translation>Mode B - weak</translation>
    </message>
    <message>
        <source>Režim C - stálý</source>
        <translation>Mode C - steady</translation>
    </message>
    <message>
        <source>Výst. voda</source>
        <translation>Flow water</translation>
    </message>
    <message>
        <source>Vrat. voda</source>
        <translation>Return water</translation>
    </message>
    <message>
        <source>Uživ. 1</source>
        <translation>User 1</translation>
    </message>
    <message>
        <source>Vnitřní</source>
        <translation>Indoor</translation>
    </message>
    <message>
        <source>Venkovní</source>
        <translation>Outdoor</translation>
    </message>
    <message>
        <source>Zeď</source>
        <translation>Wall</translation>
    </message>
    <message>
        <source>Uživ. 2</source>
        <translation>User 2</translation>
    </message>
    <message>
        <source>Uživ. 3</source>
        <translation>User 3</translation>
    </message>
    <message>
        <source>Teplota</source>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Topná voda</source>
        <translation>Heating water</translation>
    </message>
    <message>
        <source>Teplota zdi</source>
        <translation>Wall temp.</translation>
    </message>
    <message>
        <source>%1 hod %2 min %3 sec</source>
        <translation>%1 h %2 min %3 s</translation>
    </message>
    <message>
        <source>Čidlo %1 v provozu:</source>
        <translation>Sensor %1 in use:</translation>
    </message>
    <message>
        <source>Název čidla %1:</source>
        <translation>Name of sensor %1:</translation>
    </message>
    <message>
        <source>Korekce čidla %1:</source>
        <translation>Correction of sensor %1:</translation>
    </message>
    <message>
        <source>Zapisované čidlo %1:</source>
        <translation>Logged sensor %1:</translation>
    </message>
    <message>
        <source>Celk. doba běhu kotle:</source>
        <translation>Total boiler run time:</translation>
    </message>
    <message>
        <source>Index záznamů:</source>
        <translation>Log index:</translation>
    </message>
    <message>
        <source>Max. stř. teplota:</source>
        <translation>Max. avg. temp.:</translation>
    </message>
    <message>
        <source>Rozsah od stř. teploty:</source>
        <translation>Range from avg. temp.:</translation>
    </message>
    <message>
        <source>Posun regulační křivky:</source>
        <translation>Curve shift:</translation>
    </message>
    <message>
        <source>Násobitel kompenz. zdi:</source>
        <translation>Wall comp. multiplier:</translation>
    </message>
    <message>
        <source>Max. kompenzace zdi:</source>
        <translation>Max. wall compens.:</translation>
    </message>
    <message>
        <source>Dolní poměr výkonu:</source>
        <translation>Lower power ratio:</translation>
    </message>
    <message>
        <source>Horní poměr výkonu:</source>
        <translation>Upper power ratio:</translation>
    </message>
    <message>
        <source>Dolní konst. posunu:</source>
        <translation>Lower shift const.:</translation>
    </message>
    <message>
        <source>Horní konst. posunu</source>
        <translation>Upper shift const.</translation>
    </message>
    <message>
        <source>Dolní teplota kotle:</source>
        <translation>Lower boiler temp.:</translation>
    </message>
    <message>
        <source>Horní teplota kotle:</source>
        <translation>Upper boiler temp.:</translation>
    </message>
    <message>
        <source>Teplota termostatu:</source>
        <translation>Thermostat temp.:</translation>
    </message>
    <message>
        <source>Čidlo termostatu:</source>
        <translation>Thermostat sensor:</translation>
    </message>
    <message>
        <source>Prodleva termostatu:</source>
        <translation>Thermostat delay:</translation>
    </message>
    <message>
        <source>Režim kalorest:</source>
        <translation>Kalorest mode:</translation>
    </message>
    <message>
        <source>Min. teplota výst. vody
pro běh čerpadla:</source>
        <translation>Min. flow water temp.
for the pump to run:</translation>
    </message>
    <message>
        <source>Režim kalorest po přepnutí:</source>
        <translation>Kalorest mode after the switch:</translation>
    </message>
    <message>
        <source>Přepnout za:</source>
        <translation>Switch after:</translation>
    </message>
    <message>
        <source>Přepnout za (dnů):</source>
        <translation>Switch after (days):</translation>
    </message>
    <message>
        <source>Přepnout za (hodin):</source>
        <translation>Switch after (hours):</translation>
    </message>
    <message>
        <source>Výchozí:</source>
        <translation>Default:</translation>
    </message>
    <message>
        <source>Výchozí čidlo:</source>
        <translation>Default sensor:</translation>
    </message>
    <message>
        <source>Počet spuštění:</source>
        <translation>Start count:</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>The folder cannot be created</source>
        <translation>The folder cannot be created</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>The file changed while it was read</source>
        <translation>The file changed while it was read</translation>
    </message>
    <message>
        <source>A section or key without a name cannot be written</source>
        <translation>A section or key without a name cannot be written</translation>
    </message>
    <message>
        <source>A line break cannot be written into [%1] %2</source>
        <translation>A line break cannot be written into [%1] %2</translation>
    </message>
    <message>
        <source>The section name &apos;%1&apos; would not read back</source>
        <translation>The section name &apos;%1&apos; would not read back</translation>
    </message>
    <message>
        <source>The key &apos;%1&apos; would not read back</source>
        <translation>The key &apos;%1&apos; would not read back</translation>
    </message>
</context>
<context>
    <name>LogText</name>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Kotel</source>
        <translation>Boiler</translation>
    </message>
    <message>
        <source>(chyba)</source>
        <translation>(error)</translation>
    </message>
    <message>
        <source>Po</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Út</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>St</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Čt</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Pá</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>So</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>Ne</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>%1 min %2 </source>
        <extracomment>A boiler time of the logs: the number part, copied to the clipboard without the unit that follows (&quot;12 min 32 &quot; then &quot;sec&quot;).</extracomment>
        <translation>%1 min %2 </translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>min/h</source>
        <translation>min/h</translation>
    </message>
    <message>
        <source>Uložit graf jako obrázek...</source>
        <translation>Save chart as image...</translation>
    </message>
    <message>
        <source>Naměřené body jsou hodiny ze záznamů. Načtěte nejprve záznamy na kartě „Záznamy“.</source>
        <translation>The measured points are the hours of the logs. First read the logs on the tab “Logs”.</translation>
    </message>
    <message>
        <source>Načtené záznamy nemají čidlo v roli %1. Zvolte je pro záznamy na kartě „Kalorest“ a načtěte záznamy znovu.</source>
        <translation>The logs read have no sensor in the role %1. Choose them for the logs on the tab “Kalorest” and read the logs again.</translation>
    </message>
    <message>
        <source>„%1“</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>“ ani „</source>
        <translation>” nor “</translation>
    </message>
    <message>
        <source>Záznamy čidel „%1“ a „%2“ pocházejí z různých načtení (jedno se nepodařilo). Načtěte záznamy znovu.</source>
        <translation>The logs of the sensors “%1” and “%2” come from different reads (one failed). Read the logs again.</translation>
    </message>
    <message>
        <source>Každá hodina záznamů jako bod: „%1“ vodorovně, „%2“ svisle. V rozsahu grafu je %3 z %4 hodin.</source>
        <translation>Each hour of the logs as a point: “%1” across, “%2” up. %3 of %4 hours lie within the chart.</translation>
    </message>
</context>
<context>
    <name>LogsTab</name>
    <message>
        <source>Hodinové záznamy</source>
        <translation>Hourly logs</translation>
    </message>
    <message>
        <source>Graf záznamů</source>
        <translation>Chart of the logs</translation>
    </message>
    <message>
        <source>Teploty zapisovaných čidel a běh kotle po hodinách. Šipky vybírají hodinu, se Shiftem rozsah hodin; kontextová nabídka uloží graf jako obrázek.</source>
        <translation>The temperatures of the logged sensors and the boiler run, hour by hour. The arrows choose an hour, with Shift a range of hours; the context menu saves the chart as an image.</translation>
    </message>
    <message>
        <source>Kopírovat</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>ModeProgram</name>
    <message>
        <source>V</source>
        <extracomment>The week grid&apos;s letter of the state &quot;Vypnuto&quot; (off).</extracomment>
        <translation>O</translation>
    </message>
    <message>
        <source>E</source>
        <extracomment>The week grid&apos;s letter of the state &quot;Ekvitermní&quot; (equithermal).</extracomment>
        <translation>E</translation>
    </message>
    <message>
        <source>T</source>
        <extracomment>The week grid&apos;s letter of the state &quot;Termostat&quot; (thermostat).</extracomment>
        <translation>T</translation>
    </message>
    <message>
        <source>Pondělí</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source> Úterý</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Středa</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Čtvrtek</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source> Pátek</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Sobota</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>Neděle</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>(normal)</source>
        <translation>(normal)</translation>
    </message>
    <message>
        <source>%1 hod</source>
        <extracomment>The start of a quarter-hour in the week grid, &quot;6:15 hod&quot;.</extracomment>
        <translation>%1 h</translation>
    </message>
</context>
<context>
    <name>ModeTab</name>
    <message>
        <source>Týdenní program</source>
        <translation>Weekly program</translation>
    </message>
    <message>
        <source>Sloupce jsou dny, řádky čtvrthodiny. Mezerník nebo pravé tlačítko myši mění stav V, E, T; psaní nebo F2 mění hodnotu.</source>
        <translation>The columns are days, the rows quarter-hours. Space or the right mouse button cycles the state O, E, T; typing or F2 changes the value.</translation>
    </message>
    <message>
        <source> Editovat </source>
        <translation> Edit </translation>
    </message>
    <message>
        <source>Režim A</source>
        <translation>Mode A</translation>
    </message>
    <message>
        <source>Režim B</source>
        <translation>Mode B</translation>
    </message>
    <message>
        <source>Režim C</source>
        <translation>Mode C</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>Zrušit</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kopírovat vše</source>
        <translation>Copy all</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>pondělí</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>úterý</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>středa</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>čtvrtek</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>pátek</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>sobota</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>neděle</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>(chyba)</source>
        <translation>(error)</translation>
    </message>
    <message>
        <source>vypnuto</source>
        <translation>off</translation>
    </message>
    <message>
        <source>ekvitermní</source>
        <translation>equithermal</translation>
    </message>
    <message>
        <source>termostat</source>
        <translation>thermostat</translation>
    </message>
    <message>
        <source>zapnuto</source>
        <translation>on</translation>
    </message>
    <message>
        <source>akt. %1, AD %2</source>
        <translation>now %1, AD %2</translation>
    </message>
    <message>
        <source>Posun:</source>
        <translation>Shift:</translation>
    </message>
    <message>
        <source>Stř. tepl. aktuální:</source>
        <translation>Avg. temp. now:</translation>
    </message>
    <message>
        <source>Termostat:</source>
        <translation>Thermostat:</translation>
    </message>
    <message>
        <source>Do dalšího kroku:</source>
        <translation>To next step:</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>VESK - Kalorest topení</source>
        <translation>VESK - Kalorest heating</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <source>Načíst</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Zapsat</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Otevřít...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Uložit...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Sériový port</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
</context>
<context>
    <name>Tabs</name>
    <message>
        <source>Kalorest</source>
        <translation>Kalorest</translation>
    </message>
    <message>
        <source>Ekviterma</source>
        <translation>Heating curve</translation>
    </message>
    <message>
        <source>Režim</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Hodiny + čidla</source>
        <translation>Clock + sensors</translation>
    </message>
    <message>
        <source>Záznamy</source>
        <translation>Logs</translation>
    </message>
    <message>
        <source>Zeď</source>
        <translation>Wall</translation>
    </message>
    <message>
        <source>Přímý přístup</source>
        <translation>Direct access</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>žádné</source>
        <translation>none</translation>
    </message>
    <message>
        <source>bajt</source>
        <translation>byte</translation>
    </message>
    <message>
        <source>bajty</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>bajtů</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>Stránka %1 z %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>, zbývá asi %1 s</source>
        <translation>, about %1 s left</translation>
    </message>
    <message>
        <source>Opravdu obnovit?

Změní se tyto stránky:</source>
        <translation>Really restore?

These pages will change:</translation>
    </message>
    <message>
        <source>Automatickou zálohu nelze uložit, obnova se neprovede.</source>
        <translation>The automatic backup cannot be saved; nothing will be restored.</translation>
    </message>
    <message>
        <source>Obnova je hotová.</source>
        <translation>The restore is done.</translation>
    </message>
    <message>
        <source>Obnova je hotová, ale tyto stránky se po zápisu liší od zálohy:</source>
        <translation>The restore is done, but these pages differ from the backup after the write:</translation>
    </message>
    <message>
        <source>Obnova se nedokončila, komunikace selhala.</source>
        <translation>The restore did not finish: the communication failed.</translation>
    </message>
    <message>
        <source>Obnova byla zrušena.</source>
        <translation>The restore was cancelled.</translation>
    </message>
    <message>
        <source>Zapsané stránky:</source>
        <translation>Pages written:</translation>
    </message>
    <message>
        <source>Nezapsané nebo nedokončené stránky:</source>
        <translation>Pages not written or not finished:</translation>
    </message>
    <message>
        <source>Předchozí stav je v automatické záloze:</source>
        <translation>The previous state is in the automatic backup:</translation>
    </message>
    <message>
        <source>Záloha „%1“ je poškozená: </source>
        <translation>The backup “%1” is damaged: </translation>
    </message>
    <message>
        <source>Soubor „%1“ není záloha řídicí jednotky (*.vskb).</source>
        <translation>The file “%1” is not a controller backup (*.vskb).</translation>
    </message>
    <message>
        <source>Soubor „%1“ je soubor parametrů nebo nastavení, ne záloha řídicí jednotky (*.vskb).</source>
        <translation>The file “%1” is a parameter or settings file, not a controller backup (*.vskb).</translation>
    </message>
    <message>
        <source>Soubor „%1“ je obraz jedné stránky EEPROM (*.bin), ne záloha řídicí jednotky (*.vskb).</source>
        <translation>The file “%1” is an image of one EEPROM page (*.bin), not a controller backup (*.vskb).</translation>
    </message>
    <message>
        <source>Záloha „%1“ je neúplná: soubor končí předčasně.</source>
        <translation>The backup “%1” is incomplete: the file ends early.</translation>
    </message>
    <message>
        <source>Záloha „%1“ má verzi %2, tento program čte jen verzi %3.</source>
        <translation>The backup “%1” has version %2; this program reads version %3 only.</translation>
    </message>
    <message>
        <source>kontrolní součet nesouhlasí, některý bajt se změnil.</source>
        <translation>the checksum does not match, a byte has changed.</translation>
    </message>
    <message>
        <source>chybí nebo je neplatná hodnota %1.</source>
        <translation>the value %1 is missing or invalid.</translation>
    </message>
    <message>
        <source>řádek stránky %1 nemá 512 šestnáctkových číslic.</source>
        <translation>the line of page %1 does not have 512 hex digits.</translation>
    </message>
    <message>
        <source>chybí stránka %1.</source>
        <translation>page %1 is missing.</translation>
    </message>
    <message>
        <source>stránka %1 není v seznamu stránek.</source>
        <translation>page %1 is not in the list of pages.</translation>
    </message>
    <message>
        <source>stránka %1 je v ní dvakrát.</source>
        <translation>page %1 is in it twice.</translation>
    </message>
    <message>
        <source>hodnota %1 je v ní dvakrát.</source>
        <translation>the value %1 is in it twice.</translation>
    </message>
    <message>
        <source>záloha %1 (%2, %3)</source>
        <translation>backup %1 (%2, %3)</translation>
    </message>
    <message>
        <source>řídicí jednotka na %1</source>
        <translation>controller on %1</translation>
    </message>
    <message>
        <source>Porovnání: %1 → %2</source>
        <translation>Comparison: %1 → %2</translation>
    </message>
    <message>
        <source>Žádné rozdíly: všechny stránky jsou stejné.</source>
        <translation>No differences: all pages are the same.</translation>
    </message>
    <message>
        <source>%1: liší se %2</source>
        <translation>%1: differs in %2</translation>
    </message>
    <message>
        <source>Stejné stránky: %1</source>
        <translation>Same pages: %1</translation>
    </message>
    <message>
        <source>Jen v první záloze: %1</source>
        <translation>Only in the first backup: %1</translation>
    </message>
    <message>
        <source>Jen ve druhé záloze: %1</source>
        <translation>Only in the second backup: %1</translation>
    </message>
    <message>
        <source>Zálohování</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Obnova</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Porovnání</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>Co obnovit ze zálohy?
Nastavení (stránky 0–11) se obnoví vždy.</source>
        <translation>What to restore from the backup?
The settings (pages 0–11) are always restored.</translation>
    </message>
    <message>
        <source>Také záznamy (stránky 12–15)</source>
        <translation>The logs too (pages 12–15)</translation>
    </message>
    <message>
        <source>Také počítadla a index záznamů (stránka 0, bajty 6–11)</source>
        <translation>The counters and the log index too (page 0, bytes 6–11)</translation>
    </message>
    <message>
        <source>Řídicí jednotka obsahuje totéž co záloha. Není co obnovit.</source>
        <translation>The controller holds the same as the backup. There is nothing to restore.</translation>
    </message>
    <message>
        <source>Vyberte jednu zálohu (porovná se s řídicí jednotkou) nebo dvě zálohy.</source>
        <translation>Choose one backup (compared with the controller) or two backups.</translation>
    </message>
    <message>
        <source>stránka %1, čtení, </source>
        <translation>page %1, read, </translation>
    </message>
    <message>
        <source>stránka %1, příkaz zápisu, </source>
        <translation>page %1, write command, </translation>
    </message>
    <message>
        <source>stránka %1, bajt dat %2, </source>
        <translation>page %1, data byte %2, </translation>
    </message>
    <message>
        <source>bajt %1 posloupnosti, </source>
        <translation>sequence byte %1, </translation>
    </message>
    <message>
        <source>, přišlo %1 z %2 bajtů odpovědi</source>
        <translation>, %1 of %2 reply bytes arrived</translation>
    </message>
    <message>
        <source>port není otevřen</source>
        <translation>no port open</translation>
    </message>
    <message>
        <source>chyba zápisu do portu</source>
        <translation>write error on the port</translation>
    </message>
    <message>
        <source>zařízení se odpojilo</source>
        <translation>the device hung up</translation>
    </message>
    <message>
        <source>vypršel čas</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>připraven</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>nepřiřazen</source>
        <translation>not mapped</translation>
    </message>
    <message>
        <source>chybí</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>není sériový port</source>
        <translation>not a serial port</translation>
    </message>
    <message>
        <source>přístup odepřen</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>přístup odepřen (skupina %1)</source>
        <translation>access denied (group %1)</translation>
    </message>
    <message>
        <source>používá %1 (PID %2)</source>
        <translation>used by %1 (PID %2)</translation>
    </message>
    <message>
        <source>používá jiný program</source>
        <translation>used by another program</translation>
    </message>
    <message>
        <source>nelze otevřít: %1</source>
        <translation>cannot be opened: %1</translation>
    </message>
    <message>
        <source>Neznámý příkaz „%1“. Seznam příkazů vypíše „veskctl --help“.</source>
        <translation>Unknown command “%1”. “veskctl --help” lists the commands.</translation>
    </message>
    <message>
        <source>Chybné argumenty. Použití: %1</source>
        <translation>Wrong arguments. Usage: %1</translation>
    </message>
    <message>
        <source>Stránka musí být číslo 0 až 15, ne „%1“.</source>
        <translation>The page must be a number 0 to 15, not “%1”.</translation>
    </message>
    <message>
        <source>Neznámá sekce „%1“. Sekce jsou: %2.</source>
        <translation>Unknown section “%1”. The sections are: %2.</translation>
    </message>
    <message>
        <source>Čas musí mít tvar HH:MM:SS, ne „%1“.</source>
        <translation>The time must read HH:MM:SS, not “%1”.</translation>
    </message>
    <message>
        <source>Neznámý den „%1“. Zadejte název dne (pondělí … neděle) nebo jeho číslo 0 až 6.</source>
        <translation>Unknown day “%1”. Give the name of the day (Mon … Sun) or its number 0 to 6.</translation>
    </message>
    <message>
        <source>a ano</source>
        <extracomment>What counts as yes to a question ending in &quot; [a/N] &quot;: lower case, separated by spaces.</extracomment>
        <translation>y yes</translation>
    </message>
    <message>
        <source>Soubor „%1“ neobsahuje sekci [%2]. Nic nebylo zapsáno.</source>
        <translation>The file “%1” has no section [%2]. Nothing was written.</translation>
    </message>
    <message>
        <source>Hodnota Data v sekci [%2] souboru „%1“ nemá 1344 šestnáctkových číslic. Nic nebylo zapsáno.</source>
        <translation>The value Data in the section [%2] of the file “%1” does not have 1344 hex digits. Nothing was written.</translation>
    </message>
    <message>
        <source>V sekci [%2] souboru „%1“ je hodnota mimo rozsah nebo položka mimo seznam. Nic nebylo zapsáno.</source>
        <translation>The section [%2] of the file “%1” holds a value out of range or an item not in its list. Nothing was written.</translation>
    </message>
    <message>
        <source>Soubor „%1“ nemá přesně 256 bajtů. Nic nebylo zapsáno.</source>
        <translation>The file “%1” does not have exactly 256 bytes. Nothing was written.</translation>
    </message>
    <message>
        <source>Nelze zapsat na standardní výstup: %1</source>
        <translation>Cannot write to standard output: %1</translation>
    </message>
    <message>
        <source>Kotel</source>
        <translation>Boiler</translation>
    </message>
    <message>
        <source>Čerpadlo</source>
        <translation>Pump</translation>
    </message>
    <message>
        <source>Modulátor (vyšší výkon)</source>
        <translation>Modulator (higher power)</translation>
    </message>
    <message>
        <source>Parametr:</source>
        <translation>Parameter:</translation>
    </message>
    <message>
        <source>Odchylka:</source>
        <translation>Deviation:</translation>
    </message>
    <message>
        <source>Temp:</source>
        <translation>Temp:</translation>
    </message>
    <message>
        <source>Korekce zdí:</source>
        <translation>Wall correction:</translation>
    </message>
    <message>
        <source>Ekv. teplota:</source>
        <translation>Curve temp.:</translation>
    </message>
    <message>
        <source>Stř. tepl. minulá:</source>
        <translation>Prev. avg. temp.:</translation>
    </message>
    <message>
        <source>Běh kotle:</source>
        <translation>Boiler run:</translation>
    </message>
    <message>
        <source>Čidlo %1: %2</source>
        <translation>Sensor %1: %2</translation>
    </message>
    <message>
        <source>Čidlo %1 (%2): %3</source>
        <translation>Sensor %1 (%2): %3</translation>
    </message>
    <message>
        <source>Chybí příkaz. Seznam příkazů vypíše „veskctl --help“.</source>
        <translation>No command given. “veskctl --help” lists the commands.</translation>
    </message>
    <message>
        <source>Chybí volba --section.</source>
        <translation>The option --section is missing.</translation>
    </message>
    <message>
        <source>Zadejte buď --pc, nebo čas HH:MM:SS a den.</source>
        <translation>Give either --pc, or a time HH:MM:SS and a day.</translation>
    </message>
    <message>
        <source>Zápis do řídicí jednotky je třeba potvrdit. Bez terminálu jej potvrďte volbou --yes.</source>
        <translation>A write to the controller must be confirmed. Without a terminal, confirm it with --yes.</translation>
    </message>
    <message>
        <source>Nic nebylo zapsáno.</source>
        <translation>Nothing was written.</translation>
    </message>
    <message>
        <source> [a/N] </source>
        <translation> [y/N] </translation>
    </message>
    <message>
        <source>Není zvolen žádný port. Zvolte jej volbou --port.</source>
        <translation>No port is chosen. Choose one with --port.</translation>
    </message>
    <message>
        <source>Port zadejte jako COM1 až COM8 (zařízení podle souboru nastavení) nebo cestou k zařízení.</source>
        <translation>Give the port as COM1 to COM8 (the devices the settings file names) or as the path of a device.</translation>
    </message>
    <message>
        <source>(žádné zařízení)</source>
        <translation>(no device)</translation>
    </message>
    <message>
        <source>Regulátor:</source>
        <translation>Controller:</translation>
    </message>
    <message>
        <source>Počítač:</source>
        <translation>Computer:</translation>
    </message>
    <message>
        <source>Režim:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>Čtení</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Zápis</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>Kalorest</source>
        <translation>Kalorest</translation>
    </message>
    <message>
        <source>Chyba komunikace</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>Nelze otevřít port </source>
        <translation>Cannot open port </translation>
    </message>
    <message>
        <source>Zařízení %1 neexistuje. Zkontrolujte, že je převodník připojen, nebo zvolte jiný port.</source>
        <translation>The device %1 does not exist. Check that the adapter is connected, or choose another port.</translation>
    </message>
    <message>
        <source>Přístup k zařízení %1 byl odepřen: zařízení patří skupině %2. Přidejte se do ní příkazem „sudo usermod -aG %2 %3“ a přihlaste se znovu.</source>
        <translation>Access to the device %1 was denied: the device belongs to the group %2. Join it with the command “sudo usermod -aG %2 %3” and log in again.</translation>
    </message>
    <message>
        <source>Přístup k zařízení %1 byl odepřen. Přístup k němu vám musí povolit správce počítače.</source>
        <translation>Access to the device %1 was denied. The administrator of the computer must allow you access to it.</translation>
    </message>
    <message>
        <source>%1 není sériový port. Zvolte jiný port.</source>
        <translation>%1 is not a serial port. Choose another port.</translation>
    </message>
    <message>
        <source>Zařízení %1 používá jiný program: %2 (PID %3). Ukončete jej a zvolte port znovu.</source>
        <translation>The device %1 is used by another program: %2 (PID %3). Close it and choose the port again.</translation>
    </message>
    <message>
        <source>Zařízení %1 používá jiný program. Ukončete jej a zvolte port znovu.</source>
        <translation>The device %1 is used by another program. Close it and choose the port again.</translation>
    </message>
    <message>
        <source>Zařízení %1 nelze otevřít: %2</source>
        <translation>The device %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>Opravdu zapsat?</source>
        <translation>Really write?</translation>
    </message>
    <message>
        <source>Opravdu resetovat?</source>
        <translation>Really reset?</translation>
    </message>
    <message>
        <source>Range check error</source>
        <translation>Range check error</translation>
    </message>
    <message>
        <source>Floating point division by zero</source>
        <translation>Floating point division by zero</translation>
    </message>
    <message>
        <source>Invalid floating point operation</source>
        <translation>Invalid floating point operation</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Unable to write to %1</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Failed to set data for &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Pozor! Vstup příliš krátký!</source>
        <translation>Warning! Input too short!</translation>
    </message>
    <message>
        <source>Pozor! Vstup příliš dlouhý!</source>
        <translation>Warning! Input too long!</translation>
    </message>
    <message>
        <source>logy č.%1</source>
        <translation>logs no.%1</translation>
    </message>
    <message>
        <source>režim %1 (%2)</source>
        <translation>mode %1 (%2)</translation>
    </message>
    <message>
        <source>křivka zdi</source>
        <translation>wall curve</translation>
    </message>
    <message>
        <source>ekviterma</source>
        <translation>heating curve</translation>
    </message>
    <message>
        <source>konstanty</source>
        <translation>constants</translation>
    </message>
    <message>
        <source>Zálohy řídicí jednotky</source>
        <translation>Controller backups</translation>
    </message>
    <message>
        <source>Všechny soubory</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>Soubory konfigurace</source>
        <translation>Configuration files</translation>
    </message>
    <message>
        <source>Soubory formátu CSV</source>
        <translation>CSV files</translation>
    </message>
    <message>
        <source>Binární soubory</source>
        <translation>Binary files</translation>
    </message>
    <message>
        <source>Textové soubory</source>
        <translation>Text files</translation>
    </message>
    <message>
        <source>Obrázky PNG</source>
        <translation>PNG images</translation>
    </message>
    <message>
        <source>Obrázky SVG</source>
        <translation>SVG images</translation>
    </message>
    <message>
        <source>%1: %2požadavek 0x%3: %4</source>
        <extracomment>The communication error, where it happened (&quot;stránka 5, čtení, &quot;), the request and what went wrong.</extracomment>
        <translation>%1: %2request 0x%3: %4</translation>
    </message>
</context>
<context>
    <name>Unit</name>
    <message>
        <source> °C</source>
        <translation> °C</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source> minut</source>
        <translation> minutes</translation>
    </message>
    <message>
        <source> krát / 4</source>
        <translation> times / 4</translation>
    </message>
</context>
<context>
    <name>WallTab</name>
    <message>
        <source>Křivka zdi</source>
        <translation>Wall curve</translation>
    </message>
    <message>
        <source> Vyplnit </source>
        <translation> Fill </translation>
    </message>
    <message>
        <source>Tloušťka zdi:</source>
        <translation>Wall thickness:</translation>
    </message>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>Vnitřní teplota:</source>
        <translation>Indoor temperature:</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Hloubka čidla:</source>
        <translation>Sensor depth:</translation>
    </message>
    <message>
        <source>Lin. ekvitermní člen B:</source>
        <translation>Linear curve term B:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Násobitel kompenz. zdi: </source>
        <translation>Wall comp. multiplier: </translation>
    </message>
    <message>
        <source>(nic)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Vyplnit</source>
        <translation>Fill</translation>
    </message>
</context>
<context>
    <name>veskctl</name>
    <message>
        <source>Použití: veskctl [společné volby] PŘÍKAZ [volby a argumenty]</source>
        <translation>Usage: veskctl [global options] COMMAND [options and arguments]</translation>
    </message>
    <message>
        <source>Řídicí jednotka VESK z příkazové řádky: záloha a obnova, stav, hodiny, záznamy, soubory parametrů a stránky EEPROM.</source>
        <translation>The VESK controller from the command line: backup and restore, status, clock, logs, parameter files and EEPROM pages.</translation>
    </message>
    <message>
        <source>Příkazy:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>Společné volby (před příkazem):</source>
        <translation>Global options (before the command):</translation>
    </message>
    <message>
        <source>Návratové kódy:</source>
        <translation>Exit codes:</translation>
    </message>
    <message>
        <source>Nápověda k příkazu: veskctl PŘÍKAZ --help</source>
        <translation>Help on a command: veskctl COMMAND --help</translation>
    </message>
    <message>
        <source>Použití: %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>Volby:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Výstup jako JSON v UTF-8.</source>
        <translation>Output as JSON in UTF-8.</translation>
    </message>
    <message>
        <source>SOUBOR</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Zapsat do souboru (celý, nebo vůbec) místo na standardní výstup.</source>
        <translation>Write into the file (whole, or not at all) instead of to standard output.</translation>
    </message>
    <message>
        <source>SEKCE</source>
        <translation>SECTION</translation>
    </message>
    <message>
        <source>Sekce souboru parametrů: const (Kalorest), ekvith (Ekviterma), wall (Zeď), mode-a, mode-b, mode-c (Režim A, B, C).</source>
        <translation>The section of the parameter file: const (Kalorest), ekvith (Heating curve), wall (Wall), mode-a, mode-b, mode-c (Mode A, B, C).</translation>
    </message>
    <message>
        <source>hotovo</source>
        <translation>done</translation>
    </message>
    <message>
        <source>compare: porovnané strany se liší</source>
        <translation>compare: the compared sides differ</translation>
    </message>
    <message>
        <source>chybný příkaz, volba nebo argument, nebo zápis nebyl potvrzen (nic se nezapsalo)</source>
        <translation>a wrong command, option or argument, or a write not confirmed (nothing was written)</translation>
    </message>
    <message>
        <source>port nelze otevřít (s důvodem)</source>
        <translation>the port cannot be opened (with the reason)</translation>
    </message>
    <message>
        <source>komunikace s řídicí jednotkou selhala (stránka a důvod), nebo obnova nezapsala, co měla</source>
        <translation>the communication with the controller failed (page and reason), or a restore did not write what it should have</translation>
    </message>
    <message>
        <source>soubor nelze přečíst nebo zapsat, nebo obsahuje, co nelze zapsat</source>
        <translation>a file cannot be read or written, or holds what cannot be written</translation>
    </message>
    <message>
        <source>přerušeno signálem N (Ctrl+C: 130) mezi stránkami přenosu</source>
        <translation>stopped by the signal N (Ctrl+C: 130) between the pages of a transfer</translation>
    </message>
    <message>
        <source>NÁZEV</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Port: COM1 až COM8 (zařízení podle sekce [Ports] souboru nastavení), cesta k zařízení nebo /dev/serial/by-id/…. Bez této volby port zvolený v okně (soubor nastavení).</source>
        <translation>Port: COM1 to COM8 (the devices the section [Ports] of the settings file names), a device path or /dev/serial/by-id/…. Without this option, the port chosen in the window (the settings file).</translation>
    </message>
    <message>
        <source>Vypisovat každou výměnu s řídicí jednotkou (bajty požadavku a odpovědi, čas, důvod selhání) s časovým razítkem na standardní chybový výstup.</source>
        <translation>Print every exchange with the controller (the bytes of request and reply, the time, the reason of a failure) with a time stamp to standard error.</translation>
    </message>
    <message>
        <source>Nevypisovat průběh přenosu; chyby a výsledek zůstanou.</source>
        <translation>Do not print the progress of a transfer; errors and the result remain.</translation>
    </message>
    <message>
        <source>Vypsat verzi.</source>
        <translation>Print the version.</translation>
    </message>
    <message>
        <source>Vypsat nápovědu: před příkazem celou, za ním nápovědu příkazu.</source>
        <translation>Print help: before a command all of it, after one the help of the command.</translation>
    </message>
    <message>
        <source>Zapsat bez dotazu. Bez terminálu je tato volba nutná, jinak se příkaz odmítne dřív, než se cokoli odešle.</source>
        <translation>Write without asking. Without a terminal this option is needed, otherwise the command is refused before anything is sent.</translation>
    </message>
    <message>
        <source>veskctl [společné volby] %1</source>
        <translation>veskctl [global options] %1</translation>
    </message>
    <message>
        <source>Vypíše porty, jak je nabízí okno (COM1 až COM8, pak připojená sériová zařízení), každý se zařízením a stavem: připraven, chybí, není sériový port, přístup odepřen, nebo jej drží jiný program (s PID). Port, který by se použil, je označen „*“. Žádný port se přitom neotevře.</source>
        <translation>Lists the ports as the window offers them (COM1 to COM8, then the serial devices connected), each with its device and state: ready, missing, not a serial port, access denied, or used by another program (with its PID). The port that would be used is marked “*”. No port is opened.</translation>
    </message>
    <message>
        <source>Vypíše informační text řídicí jednotky (tlačítko Info okna).</source>
        <translation>Prints the information text of the controller (the button Info of the window).</translation>
    </message>
    <message>
        <source>Vypíše stav řídicí jednotky jako záložka Hodiny + čidla: její hodiny a hodiny počítače, výstupy, režim a hodnoty regulátoru a teploty čidel s jejich názvy. Hodnoty regulátoru a teploty se čtou jednou za minutu řídicí jednotky, v její nulté sekundě ne; na ně se čeká nejvýš dvě sekundy. S --watch čte stav každou sekundu, dokud jej neukončí Ctrl+C (SIGINT) nebo SIGTERM, a vypisuje jen to, co se změnilo; s --json celý stav jako jeden objekt JSON na řádek.</source>
        <translation>Prints the status of the controller as the tab Clock + sensors shows it: its clock and the clock of the computer, the outputs, the mode and the values of the regulator, and the temperatures of the sensors with their names. The values of the regulator and the temperatures are read once a minute of the controller, not in its second 0; they are waited for two seconds at most. With --watch it reads the status every second until Ctrl+C (SIGINT) or SIGTERM ends it, and prints only what changed; with --json the whole status as one JSON object a line.</translation>
    </message>
    <message>
        <source>Číst stav každou sekundu až do ukončení.</source>
        <translation>Read the status every second until ended.</translation>
    </message>
    <message>
        <source>--pc | HH:MM:SS DEN</source>
        <translation>--pc | HH:MM:SS DAY</translation>
    </message>
    <message>
        <source>Nastaví hodiny řídicí jednotky podle hodin počítače (--pc), nebo na zadaný čas a den: název dne (pondělí … neděle) nebo jeho číslo 0 (pondělí) až 6 (neděle). Čas se zkontroluje dřív, než se cokoli odešle. Nastavuje hned, bez dotazu, jako okno.</source>
        <translation>Sets the clock of the controller from the clock of the computer (--pc), or to the time and day given: the name of the day (Mon … Sun, or in Czech) or its number 0 (Monday) to 6 (Sunday). The time is checked before anything is sent. Sets at once, without asking, as the window does.</translation>
    </message>
    <message>
        <source>Podle hodin počítače.</source>
        <translation>From the clock of the computer.</translation>
    </message>
    <message>
        <source>Zazálohuje celou řídicí jednotku (informační text a všech 16 stránek EEPROM) do souboru zálohy (*.vskb). Soubor se uloží, jen když se přečetly všechny stránky.</source>
        <translation>Backs up the whole controller (the information text and all 16 EEPROM pages) into a backup file (*.vskb). The file is saved only when every page was read.</translation>
    </message>
    <message>
        <source>SOUBOR [--logs] [--counters] [--yes]</source>
        <translation>FILE [--logs] [--counters] [--yes]</translation>
    </message>
    <message>
        <source>Obnoví řídicí jednotku ze zálohy: stránky nastavení 0–11; stránky záznamů 12–15 jen s --logs; index záznamů, počet spuštění a dobu běhu kotle (stránka 0, bajty 6–11) jen s --counters, jinak zůstanou, jak je řídicí jednotka má. Přečte stránky řídicí jednotky, zeptá se s výpisem stránek, které se změní, uloží je jako automatickou zálohu a pak zapíše jen odlišné stránky a každou přečte zpět. Na standardní výstup vypíše zprávu o obnově.</source>
        <translation>Restores the controller from a backup: the settings pages 0–11; the log pages 12–15 only with --logs; the log index, the start count and the run time of the boiler (page 0, bytes 6–11) only with --counters, else they stay as the controller holds them. Reads the pages of the controller, asks with a list of the pages that will change, saves them as an automatic backup, and then writes only the pages that differ and reads each back. Prints a report of the restore to standard output.</translation>
    </message>
    <message>
        <source>Obnovit i záznamy (stránky 12–15).</source>
        <translation>Restore the logs too (pages 12–15).</translation>
    </message>
    <message>
        <source>Obnovit i počítadla a index záznamů (stránka 0, bajty 6–11).</source>
        <translation>Restore the counters and the log index too (page 0, bytes 6–11).</translation>
    </message>
    <message>
        <source>SOUBOR [SOUBOR2]</source>
        <translation>FILE [FILE2]</translation>
    </message>
    <message>
        <source>Porovná zálohu s řídicí jednotkou, nebo dvě zálohy (starší napřed). Vypíše po stránkách odlišné bajty a změněná pole slovy okna. Končí kódem 1, když se něco liší.</source>
        <translation>Compares a backup with the controller, or two backups (the older first). Prints, page by page, the bytes that differ and the fields changed in the words of the window. Exits with 1 when anything differs.</translation>
    </message>
    <message>
        <source>[-o SOUBOR] [--json]</source>
        <translation>[-o FILE] [--json]</translation>
    </message>
    <message>
        <source>Přečte hodinové záznamy a vypíše je jako soubor CSV záložky Záznamy, bajt po bajtu stejný (Windows-1250, „;“, CR LF). S --json jako pole hodin v UTF-8, nejstarší první, s čísly.</source>
        <translation>Reads the hourly logs and prints them as the CSV file of the tab Logs, the same byte for byte (Windows-1250, “;”, CR LF). With --json as an array of hours in UTF-8, the oldest first, with numbers.</translation>
    </message>
    <message>
        <source>SOUBOR --section SEKCE</source>
        <translation>FILE --section SECTION</translation>
    </message>
    <message>
        <source>Přečte sekci nastavení z řídicí jednotky a uloží ji do souboru parametrů (*.vsk) jako „Uložit...“ na její záložce; ostatní řádky souboru zůstanou. Vstupy plnění ekvitermy a zdi se vezmou ze souboru nastavení, jak je okno ukazuje při startu.</source>
        <translation>Reads a section of the settings from the controller and saves it into a parameter file (*.vsk) as “Save...” on its tab does; the other lines of the file stay. The fill inputs of the heating curve and the wall are taken from the settings file, as the window shows them at its start.</translation>
    </message>
    <message>
        <source>SOUBOR --section SEKCE [--yes]</source>
        <translation>FILE --section SECTION [--yes]</translation>
    </message>
    <message>
        <source>Zapíše sekci souboru parametrů do řídicí jednotky s pravidly její záložky: hodnoty omezené na svůj rozsah; bajty, které sekce nepopisuje, z čerstvě přečtené stránky; počet spuštění a doba běhu kotle, jak je řídicí jednotka má teď. Soubor bez sekce nebo s hodnotou, kterou nelze zapsat, se odmítne dřív, než se cokoli odešle.</source>
        <translation>Writes a section of a parameter file into the controller by the rules of its tab: the values limited to their range; the bytes the section does not describe from the page freshly read; the start count and the run time of the boiler as the controller holds them now. A file without the section or with a value that cannot be written is refused before anything is sent.</translation>
    </message>
    <message>
        <source>N [-o SOUBOR]</source>
        <translation>N [-o FILE]</translation>
    </message>
    <message>
        <source>Přečte stránku EEPROM N (0 až 15) jako soubor obrazu (256 bajtů), do souboru nebo na standardní výstup; na terminál ji vypíše šestnáctkově jako mřížka okna.</source>
        <translation>Reads the EEPROM page N (0 to 15) as an image file (256 bytes), into a file or to standard output; to a terminal it prints it in hex as the grid of the window.</translation>
    </message>
    <message>
        <source>N SOUBOR [--yes]</source>
        <translation>N FILE [--yes]</translation>
    </message>
    <message>
        <source>Zapíše soubor obrazu do stránky EEPROM N (0 až 15). Soubor musí mít přesně 256 bajtů, jinak se odmítne: nic se nedoplní ani neořízne.</source>
        <translation>Writes an image file into the EEPROM page N (0 to 15). The file must have exactly 256 bytes, else it is refused: nothing is padded or cut.</translation>
    </message>
    <message>
        <source>Resetuje řídicí jednotku (tlačítko RESET okna).</source>
        <translation>Resets the controller (the button RESET of the window).</translation>
    </message>
</context>
</TS>
