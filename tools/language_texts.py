#!/usr/bin/env python3
"""The 288 texts of the language table, Spanish and English, in one place.

Writes resources/ini/vsotro.ini (Spanish), resources/ini/vsingles.ini
(English) and docs/texts.md from the table below. The language files hold
text N on line N: exactly 288 lines, each ended by CR LF, in Windows-1252.

    python3 tools/language_texts.py          # rewrite the three files
    python3 tools/language_texts.py --check  # fail when they differ from the table

Rules the wording follows:
- A text shown in several places must read well in each of them (see
  "where"); texts joined to a number or a path keep the blank they need.
- "&" marks an access key and appears only in texts used solely as menu
  items or buttons. No access key may be Alt+S in Spanish or Alt+X in
  English outside the exit button (texts 11 and 63): those keys close the
  active window from any form.
- Texts printed in upper case or used as window titles carry no "&".
"""
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
COUNT = 288

# number: (Spanish, English, where it is used)
TEXTS = {
    1: ("&Ficheros", "&File", "menu bar: File menu"),
    2: ("&Oscilos", "&Waveforms", "menu bar: waveform menu"),
    3: ("F&asores", "&Phasors", "menu bar: phasor analysis"),
    4: ("&Info", "&Info", "menu bar: header report"),
    5: ("Canales &digitales", "&Digital channels", "menu bar: digital channel menu"),
    6: ("A&nálisis", "&Analysis", "menu bar: external analysis tools"),
    7: ("Abrir ficheros C&OMTRADE", "&Open COMTRADE files", "File menu: open a record"),
    8: ("Plan&tillas", "&Templates", "File menu: template dialog"),
    9: ("&Herramientas de análisis", "&Analysis tools", "File menu: tools submenu"),
    10: ("&Idioma", "&Language", "File menu: language submenu"),
    11: ("&Salir", "E&xit", "File menu: exit; status-bar close button after the menu loads and after a language switch"),
    12: ("&Añadir herramienta", "&Add tool", "tools submenu: add a tool"),
    13: ("Elimina&r herramienta", "&Remove tool", "tools submenu: remove a tool"),
    14: ("Canales analógicos", "Analog channels",
         "waveform menu item (F4); waveform choice dialog and composition dialog: frame of the channel list"),
    15: ("Composición de canales analógicos", "Analog channel composition", "waveform menu item (F5)"),
    16: ("Visualización por grupos", "Display by groups",
         "digital menu item (F6); digital view printout header (upper case, after text 47)"),
    17: ("Composición de canales digitales", "Digital channel composition",
         "digital menu item (F7); digital view printout header (upper case, after text 47)"),
    18: ("Abrir registro COMTRADE", "Open COMTRADE record", "open-record file dialog: title"),
    20: ("Ruta:", "Path:", "template dialog: label of the folder shown"),
    21: ("Directorios:", "Folders:", "template dialog: label of the folder list"),
    22: ("Unidades:", "Drives:", "template dialog: label of the drive list"),
    23: ("Tipos:", "File types:", "template dialog: label of the pattern box"),
    24: ("&Aceptar", "&OK", "OK button of every dialog"),
    25: ("&Cancelar", "&Cancel", "Cancel button of every dialog and of the printing window"),
    26: ("Plantillas:", "Templates:", "template dialog: label of the file list"),
    27: ("&Abrir", "&Open", "template dialog: apply the chosen template"),
    28: ("&Modificar", "&Modify", "template dialog: modify the chosen template in the wizard"),
    29: ("&Nueva", "&New", "template dialog: new template in the wizard"),
    30: ("Selección de plantilla", "Template selection", "template dialog: title"),
    31: ("Canales analógicos", "Analog channels",
         "template wizard step 1: title; stacked analog view: title and printout heading (followed by ':'); "
         "digital group dialog: frame of the analog list; composition printout heading (followed by ':')"),
    32: ("Identificación del relé:", "Relay identification:", "template wizard step 1: label of the identifier"),
    33: ("Número de canales analógicos:", "Number of analog channels:", "template wizard step 1: label of the count"),
    34: ("Canal", "Channel", "template wizard step 1: grid header, row number column"),
    35: ("Nombre", "Name", "template wizard step 1: grid header, name column"),
    36: ("Circuito", "Circuit", "template wizard step 1: grid header, second name column"),
    37: ("Unidades", "Units", "template wizard step 1: grid header, units column"),
    38: ("Con&tinuar >", "&Next >", "template wizard steps 1 to 3: continue button"),
    39: ("Grupos trifásicos", "Three-phase sets", "template wizard step 2: title"),
    40: ("Número de grupos trifásicos:", "Number of three-phase sets:", "template wizard step 2: label of the count"),
    41: ("Nombre de los grupos trifásicos:", "Names of the three-phase sets:",
         "template wizard step 2: label of the name boxes"),
    42: ("Factor:", "Factor:", "template wizard step 2: label of the factor boxes"),
    43: ("Grupo 1", "Set 1", "template wizard step 2: frame of set 1; start of the empty-slot message (with text 273)"),
    44: ("Grupo 2", "Set 2", "template wizard step 2: frame of set 2; start of the empty-slot message (with text 273)"),
    45: ("Grupo 3", "Set 3", "template wizard step 2: frame of set 3; start of the empty-slot message (with text 273)"),
    46: ("Grupo 4", "Set 4", "template wizard step 2: frame of set 4; start of the empty-slot message (with text 273)"),
    47: ("Canales digitales", "Digital channels",
         "template wizard step 3: title; digital view: title and printout header (upper case); "
         "digital group dialog: frame of the group options"),
    48: ("Número:", "Number:", "template wizard step 3: frame of the group count"),
    49: ("Nombre del grupo:", "Group name:",
         "template wizard step 3: frame of the group name; digital view printout: heading of the group name"),
    52: ("El nombre de la herramienta no puede llevar el carácter =",
         "A tool name cannot hold the character =",
         "tools dialog: '=' in the tool name (tools.ini cuts the name there)"),
    53: ("Añadir herramienta de análisis", "Add analysis tool", "tools dialog: title in add mode"),
    54: ("Eliminar herramienta de análisis", "Remove analysis tool", "tools dialog: title in delete mode"),
    55: ("Nombre de la herramienta:", "Tool name:", "tools dialog: name label in add mode"),
    56: ("Elija la herramienta que desea eliminar:", "Choose the tool to remove:",
         "tools dialog: list label in delete mode"),
    57: ("Programa (fichero ejecutable):", "Program (executable file):", "tools dialog: program path label"),
    58: ("Es&pañol", "&Spanish", "language submenu: Spanish (Ctrl+S)"),
    59: ("Ingl&és", "&English", "language submenu: English (Ctrl+E)"),
    60: ("Visualización de canales analógicos", "Analog channel display",
         "waveform choice dialog: title; waveform window and stacked view printouts: title (upper case)"),
    61: ("Ampliar", "Zoom", "waveform and composition windows: zoom button"),
    63: ("&Salir", "E&xit", "status bar: close button (closes the active view, or asks to exit)"),
    64: ("Composición de canales analógicos", "Analog channel composition",
         "composition dialog: title; composition printout: title (upper case)"),
    65: ("Composición 1", "Composition 1",
         "composition dialog: frame of composition 1; title of the first (top) composition window"),
    66: ("Composición 2", "Composition 2",
         "composition dialog: frame of composition 2; title of the second composition window"),
    67: ("Composición 3", "Composition 3",
         "composition dialog: frame of composition 3; title of the third composition window"),
    68: ("Fasores y secuencias", "Phasors and sequences", "phasor setup dialog: title"),
    69: ("Diagrama fasorial", "Phasor diagram",
         "phasor setup dialog: phasor column frame; phasor view: title and printout title (upper case)"),
    70: ("Componentes simétricas", "Symmetrical components",
         "phasor setup dialog: sequence column frame; sequence view: title and printout title (upper case)"),
    71: ("Elección de grupo de canales digitales", "Digital channel group selection", "digital group dialog: title"),
    72: ("Elección de canales digitales", "Digital channel selection", "digital composition dialog: title"),
    73: ("Canales elegidos:", "Channels chosen:", "digital composition dialog: label of the count"),
    74: ("Canal analógico", "Analog channel",
         "digital composition dialog: frame of the analog list; waveform window printout: heading over the channel name"),
    75: ("Pulse sobre un canal para marcarlo o desmarcarlo (máximo 19)",
         "Click a channel to mark or unmark it (19 at most)", "digital composition dialog: hint under the buttons"),
    76: ("Los dos cursores están en la misma muestra: no se puede ampliar",
         "Both cursors are on the same sample: cannot zoom", "stacked and digital views: zoom refused (cursors together)"),
    78: ("Se pueden elegir como máximo 19 canales digitales", "At most 19 digital channels can be chosen",
         "digital composition dialog: mark refused (limit reached, or the channel is not marked)"),
    79: ("No hay un nivel de ampliación posterior", "There is no later zoom level",
         "waveform, stacked, composition and digital views: zoom history forward at the newest level"),
    80: ("El intervalo elegido no contiene muestras", "The chosen range holds no samples",
         "waveform and composition windows: zoom or print refused (empty range)"),
    81: ("Elija como máximo dos grupos trifásicos en cada columna", "Choose at most two three-phase sets in each column",
         "phasor setup dialog: too many sets ticked"),
    82: ("No ha elegido nada para mostrar", "Nothing has been chosen to display",
         "waveform choice, phasor setup and composition dialogs: nothing chosen"),
    84: ("No hay un nivel de ampliación anterior", "There is no earlier zoom level",
         "waveform, stacked, composition and digital views: zoom history back at the first level"),
    85: ("¿Ampliar la zona seleccionada?", "Zoom into the selected area?",
         "waveform and composition windows: confirm the zoom rectangle (OK/Cancel)"),
    87: ("El número de grupos trifásicos debe estar entre 0 y 4", "The number of three-phase sets must be from 0 to 4",
         "template wizard step 2: count out of range"),
    91: ("No hay ningún registro abierto", "No record is open", "phasor and report commands: no record open"),
    92: ("La plantilla aplicada no tiene grupos de canales digitales", "The applied template has no digital channel groups",
         "digital menu, digital group dialog, starting a tool: no digital groups"),
    93: ("Guardar plantilla", "Save template", "template wizard step 4: title"),
    94: ("< &Volver", "< &Back", "template wizard steps 1 to 4: back button"),
    95: ("Los números de canales o de tasas de muestreo del fichero de configuración (.cfg) no son válidos; "
         "el registro no se abre",
         "The channel or sampling-rate counts of the configuration file (.cfg) are not valid; the record is not opened",
         "open record: .cfg counts that are no numbers or negative"),
    96: ("El fichero de configuración (.cfg) termina antes de las líneas que anuncian sus cuentas; "
         "el registro no se abre",
         "The configuration file (.cfg) ends before the lines its counts announce; the record is not opened",
         "open record: .cfg counts asking for more lines than it holds"),
    97: ("No se puede leer el fichero de datos; el registro no se abre:",
         "The data file cannot be read; the record is not opened:",
         "open record: data file missing or unreadable, followed by a blank and the path"),
    98: ("El fichero de datos contiene %1 de las %2 muestras que anuncia el fichero de configuración; "
         "se muestran las que contiene",
         "The data file holds %1 of the %2 samples the configuration file announces; those it holds are shown",
         "open record: data file shorter than announced (%1 samples found, %2 announced)"),
    99: ("El registro tiene varias frecuencias de muestreo; los tiempos se calculan con la primera",
         "The record has several sampling rates; times are computed at the first one",
         "open record: rate segments of different rates"),
    100: ("El registro no tiene muestras analógicas que mostrar; no se abre",
          "The record holds no analog samples to show; it is not opened",
          "open record: no analog channel, or 0 samples announced or present"),
    101: ("La frecuencia de red del fichero de configuración no es válida; "
          "las vistas que la necesitan no se podrán abrir",
          "The line frequency of the configuration file is not valid; the views that need it cannot be opened",
          "open record: line frequency 0, negative or no number"),
    102: ("El registro no tiene una frecuencia de red válida, que esta vista necesita",
          "The record has no valid line frequency, which this view needs",
          "waveform, composition, digital and phasor commands: line frequency 0 or not valid"),
    103: ("El registro es más corto que un ciclo de la frecuencia de red: no se pueden calcular fasores",
          "The record is shorter than one cycle of the line frequency: phasors cannot be computed",
          "phasor command: fewer samples than one cycle"),
    110: ("El factor de dibujo de un grupo trifásico no es un número; el grupo se dibuja con factor 1:",
          "The drawing factor of a three-phase set is not a number; the set is drawn with factor 1:",
          "phasor and sequence views: a set's factor that is not a number (followed by the set's name and the text)"),
    111: ("La carpeta de plantillas no existe; se muestra la de registros. Carpeta de plantillas:",
          "The templates folder does not exist; the records folder is shown. Templates folder:",
          "template dialog: the templates folder of tools.ini is missing (followed by the folder)"),
    105: ("El historial de ampliaciones está lleno (31 niveles). Para empezar uno nuevo, cierre la vista y vuelva a abrirla",
          "The zoom history is full (31 levels). To start a new one, close the view and open it again",
          "waveform, stacked, composition and digital views: zoom button when the history is full (before any rectangle or span)"),
    124: ("No se admiten saltos de línea en los nombres", "Line breaks are not allowed in names",
          "template wizard steps 1 and 2: a name, grid cell or factor holding a line break"),
    128: ("El destino es uno de los ficheros del registro abierto. Elija otra carpeta o nombre.",
          "The target is one of the open record's own files. Choose another folder or name.",
          "ASCII conversion dialog: the target names a file of the open record"),
    129: ("No hay ninguna impresora instalada; no se ha impreso nada.",
          "No printer is installed; nothing has been printed.",
          "header report: print with no printer on the machine"),
    130: ("El fichero de cabecera tiene más de 2500 líneas; se muestran las 2500 primeras.",
          "The header file has more than 2500 lines; the first 2500 are shown.",
          "header report: header file longer than the report holds"),
    138: ("Ya existe una plantilla con ese nombre. ¿Desea sustituirla?",
          "A template of that name already exists. Replace it?", "template wizard step 4: confirm overwrite (OK/Cancel)"),
    139: ("Un canal sin número se deja fuera del grupo: ", "A channel without a number is left out of the group: ",
          "template wizard step 3: member slot with a name but no channel number, followed by the name"),
    140: ("Solo se conservan los 19 primeros canales del grupo ", "Only the first 19 channels are kept of group ",
          "template wizard step 3: template group with more than 19 members, followed by the group name"),
    141: ("Con&juntamente", "&Together", "waveform choice dialog: all chosen channels in one stacked window"),
    142: ("&Individualmente", "&Individually", "waveform choice dialog: one window per chosen channel"),
    144: ("El diagrama no cabe con esta ampliación", "The diagram does not fit at this zoom",
          "phasor and sequence views: drawing overflow after a zoom step"),
    145: ("Desbordamiento de cálculo en esta posición", "Numeric overflow at this position",
          "phasor and sequence views: overflow while scrolling"),
    147: ("El fichero no es una plantilla (.cnf)", "The file is not a template (.cnf)",
          "template dialog: not a .cnf name; start-up: command-line template, followed by a blank and the path"),
    149: ("La unidad no está disponible", "The drive is not ready",
          "every drive list: drive not ready"),
    150: ("No se pueden crear más de 16 grupos digitales", "No more than 16 digital groups can be made",
          "template wizard step 3: group limit"),
    151: ("Continuar con el registro binario", "Go on with the binary record",
          "binary record choice: go on without converting; ASCII copy: also the message when the header file "
          "cannot be copied (see text 160)"),
    152: ("Convertir a ASCII y continuar", "Convert to ASCII and go on",
          "binary record choice: convert and go on; title of the missing-header message"),
    153: ("Solo convertir a ASCII", "Convert to ASCII only",
          "binary record choice: convert and stop; title of the missing-header message"),
    154: ("Registro binario", "Binary record", "binary record choice: title"),
    155: ("Nombre del fichero, sin extensión:", "File name, without extension:",
          "ASCII conversion dialog and template wizard step 4: name label"),
    156: ("A&yuda", "&Help", "ASCII conversion dialog: help button"),
    157: ("Conversión a ASCII", "Conversion to ASCII", "ASCII conversion dialog: title"),
    158: ("Ayuda de la conversión a ASCII", "Conversion to ASCII: help", "conversion help window: title"),
    159: ("Elija la unidad y la carpeta de destino y escriba el nombre del nuevo registro, sin extensión "
          "(no se admiten puntos, espacios ni corchetes). Se crearán los ficheros .DAT, .cfg y .hdr del registro "
          "en formato ASCII.",
          "Choose the target drive and folder and type the name of the new record, without extension "
          "(dots, blanks and brackets are not accepted). The record's .DAT, .cfg and .hdr files are written "
          "in ASCII format.",
          "conversion help window: help text"),
    160: ("No se ha podido copiar el fichero de cabecera (.hdr)", "The header file (.hdr) could not be copied",
          "ASCII copy: the record's header file could not be read or written (the copy goes on)"),
    161: ("El registro no tiene fichero de cabecera (.hdr)", "The record has no header file (.hdr)",
          "report command and header report: no header file"),
    167: ("Ya existe un registro con ese nombre. ¿Desea sobrescribirlo?",
          "A record of that name already exists. Overwrite it?", "ASCII conversion dialog: confirm overwrite (OK/Cancel)"),
    168: ("No se encuentra la carpeta de destino. Elija otra carpeta o nombre.",
          "The target folder was not found. Choose another folder or name.",
          "ASCII conversion dialog: target path not found"),
    169: ("El directorio de registros no existe", "The records folder does not exist",
          "default directories dialog: records folder missing"),
    170: ("El directorio de plantillas no existe", "The templates folder does not exist",
          "default directories dialog: templates folder missing"),
    171: ("El directorio de aplicaciones no existe", "The applications folder does not exist",
          "default directories dialog: applications folder missing"),
    172: ("La plantilla tiene el formato antiguo (ver 1.0) y no se puede usar; créela de nuevo con el asistente",
          "The template has the old format (ver 1.0) and cannot be used; make it again with the wizard",
          "template reader, menus, phasor command, starting a tool: old template"),
    173: ("No se encuentra el fichero de configuración (.cfg) del registro; se ha buscado:",
          "The record's configuration file (.cfg) was not found; looked for:",
          "open record: .cfg missing or unreadable, followed by a blank and the path looked for"),
    174: ("No se ha indicado el fichero de datos (.dat)", "No data file (.dat) was given",
          "open record: data file path empty"),
    175: ("El valor debe ser numérico", "The value must be a number",
          "template wizard step 1: count not a number on continue; step 3: slot number not a number"),
    176: ("El carácter % no se admite en los nombres", "The character % is not allowed in names",
          "name boxes of the wizard and the view dialogs: '%' typed"),
    177: ("El carácter $ no se admite en los nombres", "The character $ is not allowed in names",
          "name boxes of the wizard and the view dialogs: '$' typed"),
    178: ("El número de canales debe ser un número entero", "The number of channels must be a whole number",
          "template wizard step 1: count box not a number"),
    179: ("El grupo ", "Group ", "template wizard step 3: group without members, before the group number"),
    180: (" no tiene ningún canal", " has no channels", "template wizard step 3: group without members, after the group number"),
    182: ("El nombre del grupo no puede quedar vacío", "The group name must not be empty",
          "template wizard step 3: name box emptied"),
    185: ("El número de grupos debe ser numérico", "The number of groups must be a number",
          "template wizard step 3: group count not a number"),
    186: ("El factor debe ser un número", "The factor must be a number", "template wizard step 2: factor not a number"),
    187: ("El número de grupos trifásicos debe ser numérico", "The number of three-phase sets must be a number",
          "template wizard step 2: count not a number"),
    188: ("Directorio de registros:", "Records folder:", "default directories dialog: records label"),
    189: ("Directorio de plantillas:", "Templates folder:", "default directories dialog: templates label"),
    190: ("Directorio de aplicaciones:", "Applications folder:", "default directories dialog: applications label"),
    192: ("Directorios por defecto", "Default folders",
          "File menu item (Ctrl+D) and default directories dialog: title"),
    193: ("El registro para el que se abrió esta conversión ya no está abierto; no se ha escrito nada.",
          "The record this conversion was opened for is no longer open; nothing has been written.",
          "ASCII conversion dialog: OK after its BINARY record was closed or another record opened"),
    194: ("No se puede escribir en la carpeta de destino. Elija otra carpeta o nombre.",
          "The target folder cannot be written to. Choose another folder or name.",
          "ASCII conversion dialog: the target folder refuses the writing (read-only, say); nothing written"),
    200: ("La plantilla no puede guardar el carácter ", "The template cannot store the character ",
          "template wizard steps 1 to 4: a character Windows-1252 cannot hold, followed by it and its code"),
    201: ("La plantilla está dañada y no se usa: ", "The template is damaged and is not used: ",
          "template dialog and start-up: damaged template, followed by its path, text 202 and the line number"),
    202: (", línea ", ", line ", "template dialog and start-up: damaged template, after the path (text 201)"),
    208: ("El fichero elegido no es un fichero de datos (.dat) ni de configuración (.cfg) de COMTRADE; "
          "el registro abierto no cambia:",
          "The file chosen is neither a COMTRADE data file (.dat) nor a configuration file (.cfg); "
          "the open record stays:",
          "open record: a file chosen that is neither .dat nor .cfg, followed by a blank and the path"),
    209: ("No hay ningún fichero de datos (.dat) junto al fichero de configuración elegido; el registro no se abre:",
          "There is no data file (.dat) beside the configuration file chosen; the record is not opened:",
          "open record: a .cfg chosen with no .dat beside it, followed by a blank and the path"),
    210: ("El fichero de configuración (.cfg) termina sus líneas solo con CR (retorno de carro); "
          "se leen líneas terminadas en CR LF o en LF; el registro no se abre",
          "The configuration file (.cfg) ends its lines with CR (carriage return) alone; "
          "lines ending in CR LF or LF are read; the record is not opened",
          "open record: .cfg with CR-only line ends"),
    211: ("El fichero de datos está vacío (0 bytes); el registro no se abre:",
          "The data file is empty (0 bytes); the record is not opened:",
          "open record: 0-byte data file, followed by a blank and the path"),
    212: ("El fichero de configuración (.cfg) da como última muestra %1, más allá de la mayor posible "
          "(2147483647); el registro no se abre",
          "The configuration file (.cfg) gives %1 as an end sample, beyond the largest possible (2147483647); "
          "the record is not opened",
          "open record: an end sample beyond 32-bit sample numbers (%1 the field as written)"),
    213: ("El fichero de configuración (.cfg) indica la revisión \"%1\" de COMTRADE; se leen la revisión 1991 "
          "(sin año en la primera línea) y la 1997; el registro no se abre",
          "The configuration file (.cfg) names COMTRADE revision \"%1\"; revision 1991 (no year on line 1) "
          "and revision 1997 are read; the record is not opened",
          "open record: a revision other than 1991 or 1997 (%1 the revision field as written)"),
    214: ("El fichero de datos ha cambiado desde que se abrió el registro: contiene %1 de sus %2 muestras. "
          "No se escribe ninguna copia; el registro sigue abierto tal como se leyó:",
          "The data file has changed since the record was opened: it holds %1 of its %2 samples. No copy is "
          "written; the record stays open as it was read:",
          "ASCII copy refused: the BINARY data file no longer holds the record's samples (%1 the whole samples "
          "it holds, %2 the record's), followed by a blank and the path"),
    215: ("Las cuentas de canales de la línea 2 del fichero de configuración (.cfg), \"%1\" (%2 analógicos y %3 "
          "digitales), no coinciden con sus líneas de canal: la línea %4 no es la que esas cuentas piden ahí; "
          "el registro no se abre",
          "The channel counts on line 2 of the configuration file (.cfg), \"%1\" (%2 analog and %3 digital), "
          "do not match its channel lines: line %4 is not the one those counts ask for there; the record is "
          "not opened",
          "open record: .cfg whose line 2 announces other channel counts than the channel lines it lists (%1 "
          "line 2 as written, %2 and %3 the analog and digital counts, %4 the first line that does not fit)"),
    216: ("Canales cuyo desfase (skew, el octavo campo de su línea) del fichero de configuración está fuera de la "
          "precisión simple: %1 (%2, cada uno con el número de su línea). Se toma 0 para ellos",
          "Channels whose skew (the eighth field of their line) in the configuration file lies beyond single "
          "precision: %1 (%2, each with its line number). It is taken as 0 for them",
          "open record: analog channels whose skew field is a number beyond single precision (%1 how many, %2 "
          "their names, each followed by \": \" and its .cfg line number, the first five and \"…\" after "
          "them when there are more)"),
    223: ("La impresora está dirigida a un fichero que ya existe; una impresión sin diálogo no lo sobrescribe "
          "y no se ha impreso nada: ",
          "The printer is set to print to a file that already exists; a print without the printer dialog does "
          "not write over it, so nothing has been printed: ",
          "header report: print while a view's printer dialog left printing to an existing file (before its path)"),
    219: ("El rectángulo elegido no tiene altura", "The chosen rectangle has no height",
          "waveform and composition windows: zoom refused (rectangle of zero height)"),
    232: ("Escriba el nombre de la herramienta", "Type the name of the tool", "tools dialog: empty name"),
    233: ("El programa debe ser un fichero ejecutable", "The program must be an executable file",
          "tools dialog: the path is not an executable file"),
    234: ("Ya existe una herramienta con ese nombre", "A tool of that name already exists", "tools dialog: name taken"),
    235: ("Ya existe una herramienta con ese programa", "A tool with that program already exists",
          "tools dialog: program taken"),
    236: ("&Imprimir", "&Print", "header report: print button"),
    237: ("Impresión en curso", "Printing in progress", "printing window: message"),
    238: ("Grupos digitales", "Digital groups", "template wizard step 3: frame of the group list"),
    240: ("&Añadir", "&Add", "template wizard step 3: add a group"),
    241: ("&Eliminar", "&Delete", "template wizard step 3: delete the selected group"),
    242: ("No ha elegido ninguna plantilla", "No template has been chosen", "template dialog: no file chosen"),
    243: ("Escriba el nombre de la plantilla", "Type a name for the template", "template wizard step 4: empty name"),
    244: ("La plantilla no tiene canales analógicos", "The template has no analog channels",
          "template wizard steps 1 and 2: no analog rows"),
    226: ("No se encuentra el lector de las bases de datos de modelos de relé, o no se puede ejecutar: ",
          "The reader of the relay-model databases is not there or cannot be run: ",
          "relay-model chooser, template wizard steps 1 and 3: the model reader program missing "
          "(before the path where it was looked for)"),
    245: ("No se ha podido leer la base de datos de modelos de relé: ", "The relay-model database could not be read: ",
          "relay-model chooser, template wizard steps 1 and 3: a model database missing or damaged (before its path)"),
    246: ("No hay aplicada una plantilla adecuada para este registro", "No suitable template is applied to this record",
          "waveform and digital menus: no template; phasor command and tools: template does not fit; "
          "digital composition dialog: member channel missing from the record"),
    247: ("La plantilla aplicada no tiene grupos trifásicos", "The applied template has no three-phase sets",
          "phasor setup dialog: no three-phase sets"),
    249: ("Cree primero un grupo: escriba su nombre y pulse Añadir", "First make a group: type its name and press Add",
          "template wizard step 3: no group to fill"),
    250: ("Señales digitales disponibles:", "Available digital signals:", "template wizard step 3: frame of the signal list"),
    251: ("Composición del grupo:", "Group members:", "template wizard step 3: frame of the member slots"),
    252: ("¿Eliminar el grupo seleccionado?", "Delete the selected group?",
          "template wizard step 3: confirm deletion (OK/Cancel)"),
    253: ("La plantilla no corresponde a este registro", "The template does not fit this record",
          "template dialog: template does not fit the open record"),
    254: ("No ha elegido ningún modelo de relé", "No relay model has been chosen",
          "relay-model chooser: Aceptar with no model chosen in the list or typed in the box"),
    255: ("Convertir Oscilos a COMTRADE", "Convert Oscilos to COMTRADE", "File menu: start the converter (Ctrl+G)"),
    256: ("Canales elegidos", "Chosen channels", "waveform choice dialog: frame of the slots"),
    257: ("Selección de modelo de relé", "Relay model selection", "relay-model chooser: title"),
    258: ("Modelos disponibles", "Available models", "relay-model chooser: frame of the list"),
    259: ("&Modelos", "&Models", "template wizard step 1: open the relay-model chooser"),
    260: ("Canales de fase", "Phase channels", "template wizard step 2: label of each set's slots"),
    261: ("No se puede añadir el propio programa VESDRA como herramienta", "VESDRA itself cannot be added as a tool",
          "tools dialog: the program's own file"),
    262: ("Cursor 1, muestra: ", "Cursor 1, sample: ", "digital view printout: cursor 1, before the sample number"),
    263: ("Cursor 2, muestra: ", "Cursor 2, sample: ", "digital view printout: cursor 2, before the sample number"),
    264: ("Tiempo entre cursores: ", "Time between cursors: ",
          "waveform, stacked, composition and digital printouts: before the time between the cursors"),
    265: ("Fichero: ", "File: ", "every view printout: before the record's data-file path"),
    266: ("Muestra: ", "Sample: ",
          "waveform, stacked and composition printouts; phasor and sequence views and printouts: before a sample number"),
    267: ("Diferencia entre cursores:", "Difference between cursors:",
          "waveform window printout: heading over the value difference"),
    268: ("Convirtiendo a ASCII, espere...", "Converting to ASCII, please wait...", "ASCII conversion progress window"),
    270: ("No se encuentra el programa de conversión de Oscilos a COMTRADE",
          "The Oscilos to COMTRADE converter program was not found", "converter command: no program"),
    273: ("Cada fase debe tener un canal elegido de la lista", "Each phase needs a channel chosen from the list",
          "template wizard step 2: empty slot (after a set's name and ' : ', or alone)"),
    275: ("Falta el nombre del canal en la fila ", "Channel name missing in row ",
          "template wizard step 1: row without a name, before the row number"),
    277: ("Tipo de fichero de datos desconocido: el .cfg debe indicar ASCII o BINARY",
          "Unknown data file type: the .cfg must say ASCII or BINARY", "open record: bad file type"),
    278: ("Referencia:", "Reference:", "view dialogs of 1997 records: frame of the primary/secondary choice"),
    279: ("PRIMARIO", "PRIMARY", "view dialogs: primary option; views: primary values indicator"),
    280: ("SECUNDARIO", "SECONDARY", "view dialogs: secondary option; views: secondary values indicator"),
    282: ("Cerrar ficheros &COMTRADE", "&Close COMTRADE files", "File menu: close the record (Ctrl+C)"),
    283: ("La frecuencia de muestreo es demasiado baja para calcular fasores (menos de una muestra por ciclo)",
          "The sampling rate is too low to compute phasors (less than one sample per cycle)",
          "phasor command: fewer than one sample per cycle"),
    284: ("¿Desea salir del programa?", "Do you want to exit the program?", "exit confirmation (OK/Cancel)"),
    285: ("Dibujando, espere un momento...", "Drawing, please wait...",
          "progress window while waveform and composition windows are built"),
    286: ("Dibujando canales digitales, espere un momento...", "Drawing digital channels, please wait...",
          "progress window while the digital view is built"),
    288: ("Ya existe un grupo digital con ese nombre", "A digital group of that name already exists",
          "template wizard step 3: a group name already in the list (Add or a rename refused)"),
    287: ("Solo se conservan los 4 primeros grupos trifásicos de la plantilla",
          "Only the first 4 three-phase sets of the template are kept",
          "template wizard step 2: a template of more than four three-phase sets"),
    281: ("Solo se conservan los 16 primeros grupos digitales de la plantilla",
          "Only the first 16 digital groups of the template are kept",
          "template wizard step 3: a template of more than 16 digital groups"),
    276: ("Solo se ofrecen los 16 primeros grupos digitales de la plantilla aplicada",
          "Only the first 16 digital groups of the applied template are offered",
          "digital group and digital composition dialogs: an applied template of more than 16 groups"),
    274: ("El nombre de la plantilla no vale como nombre de fichero: no puede empezar por un punto ni contener "
          "\\ / : * ? \" < >, la barra vertical ni caracteres de control",
          "The template name is not a valid file name: it cannot begin with a dot or hold \\ / : * ? \" < >, "
          "the vertical bar or control characters",
          "template wizard step 4: a name no file or template listing can hold"),
    104: ("Líneas de muestra del fichero de datos incompletas o con campos ilegibles: %1 (la primera, la línea %2). "
          "Lo que les falta o no se puede leer se muestra con el valor de la muestra anterior (al principio del "
          "fichero, con el de la primera muestra que lo tiene)",
          "Sample lines of the data file that are incomplete or hold fields that cannot be read: %1 (the first, "
          "line %2). What they lack or cannot be read is shown with the value of the sample before (at the start "
          "of the file, with that of the first sample that has one)",
          "open record: ASCII sample lines incomplete or unreadable (%1 how many, %2 the first one's line number)"),
    106: ("El fichero de configuración (.cfg) está dañado: en la línea %1, el factor de un canal analógico "
          "(\"%2\") falta, no es un número o da valores fuera de la precisión simple; el registro no se abre",
          "The configuration file (.cfg) is damaged: on line %1, an analog channel's factor (\"%2\") is missing, "
          "is no number or gives values beyond single precision; the record is not opened",
          "open record: .cfg analog channel factor refused (%1 the line number, %2 the field as written)"),
    107: ("El fichero de datos (.dat) termina sus líneas solo con CR (retorno de carro); se leen líneas terminadas "
          "en CR LF o en LF; el registro no se abre:",
          "The data file (.dat) ends its lines with CR (carriage return) alone; lines ending in CR LF or LF are "
          "read; the record is not opened:",
          "open record: ASCII .dat with CR-only line ends, followed by a blank and the path"),
    108: ("El fichero de datos tiene %1 bytes, menos que una muestra de este registro (%2 bytes); "
          "el registro no se abre:",
          "The data file holds %1 bytes, less than one sample of this record (%2 bytes); the record is not opened:",
          "open record: BINARY .dat shorter than one sample (%1 its bytes, %2 a sample's), followed by a blank "
          "and the path"),
    109: ("El fichero de configuración (.cfg) da como última muestra \"%1\", que no es un número; "
          "el registro no se abre",
          "The configuration file (.cfg) gives \"%1\" as an end sample, which is not a number; "
          "the record is not opened",
          "open record: an end sample that is no number (%1 the field as written)"),
    112: ("Ninguna línea de muestra del fichero de datos está completa y legible; el registro no se abre:",
          "No sample line of the data file is whole and readable; the record is not opened:",
          "open record: ASCII .dat without one whole, readable sample line, followed by a blank and the path"),
    113: ("Canales cuya línea del fichero de configuración no dice si sus valores son del primario o del "
          "secundario (la marca P/S): %1 (%2). En ambos lados se muestran sus valores tal como los guarda el fichero",
          "Channels whose configuration file line does not say whether their values are primary or secondary "
          "(the P/S flag): %1 (%2). Both sides show their values as the file holds them",
          "open record: 1997 analog channels whose P/S flag is neither P nor S (%1 how many, %2 their names, "
          "the first five and \"…\" after them when there are more)"),
    114: ("Canales de los que no se puede calcular un lado con sus relaciones (una es 0, negativa o no es "
          "válida, o su cociente da valores fuera de la precisión simple): %1 (%2, cada uno con el lado que no se "
          "puede calcular). En ese lado se muestran sus valores tal como los guarda el fichero",
          "Channels one side of which cannot be computed from their ratings (one is 0, negative or not valid, "
          "or their ratio gives values beyond single precision): %1 (%2, each with the side that cannot be "
          "computed). That side shows their values as the file holds them",
          "open record: 1997 analog channels whose primary or secondary rating is 0, negative or no number, or "
          "whose ratio, or a value times it, lies beyond single precision (%1 how many, %2 their names, each "
          "followed by \": \" and the side that cannot be computed, text 279 or 280 in lower case, the first "
          "five and \"…\" after them when there are more)"),
    115: ("El registro no tiene una frecuencia de muestreo válida: el fichero de configuración da %1 y las dos "
          "primeras marcas de tiempo del fichero de datos no dan ninguna; las vistas que la necesitan no se "
          "podrán abrir",
          "The record has no valid sampling rate: the configuration file gives %1 and the first two time stamps "
          "of the data file give none; the views that need it cannot be opened",
          "open record: no sampling rate above 0, neither in the .cfg (%1 its first rate as read) nor from the "
          "time stamps (the same, falling, or not numbers)"),
    116: ("El registro no tiene una frecuencia de muestreo válida, que esta vista necesita",
          "The record has no valid sampling rate, which this view needs",
          "waveform, composition, digital and phasor commands: no sampling rate above 0"),
}


def texts(column):
    """The 288 texts of one language (0 Spanish, 1 English), index 0 = text 1."""
    out = []
    for n in range(1, COUNT + 1):
        if n in TEXTS:
            out.append(TEXTS[n][column])
        else:
            out.append(("Texto %d" if column == 0 else "Text %d") % n)
    return out


def language_file(column):
    return b"".join(t.encode("cp1252") + b"\r\n" for t in texts(column))


def doc():
    def cell(t):
        return "`" + t + "`"
    lines = [
        "# Language texts",
        "",
        "Text N is line N of `ini/vsotro.ini` (Spanish) and `ini/vsingles.ini` (English);",
        "code reads it as `TextosIdioma(N)`. Generated by `tools/language_texts.py`: edit the",
        "table there and run it, never the files. Texts in backquotes show their blanks;",
        "\"&\" marks an access key. Numbers marked \"unused\" hold a neutral text.",
        "",
        "| N | Spanish | English | where |",
        "|---|---|---|---|",
    ]
    es, en = texts(0), texts(1)
    for n in range(1, COUNT + 1):
        where = TEXTS[n][2] if n in TEXTS else "unused"
        lines.append(f"| {n} | {cell(es[n - 1])} | {cell(en[n - 1])} | {where} |")
    return ("\n".join(lines) + "\n").encode("utf-8")


def outputs():
    return {
        ROOT / "resources/ini/vsotro.ini": language_file(0),
        ROOT / "resources/ini/vsingles.ini": language_file(1),
        ROOT / "docs/texts.md": doc(),
    }


def main():
    assert all(1 <= n <= COUNT for n in TEXTS)
    for es, en, _ in TEXTS.values():
        for t in (es, en):
            assert t and "\r" not in t and "\n" not in t and "`" not in t, t
    check = "--check" in sys.argv
    stale = []
    for path, data in outputs().items():
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(str(path.relative_to(ROOT)))
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
