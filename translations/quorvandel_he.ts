<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="he" sourcelanguage="en">
<context>
    <name>File_dialogs</name>
    <message>
        <source>Drive</source>
        <translation>כונן</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>תיקייה</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>קישור</translation>
    </message>
    <message>
        <source>File</source>
        <translation>קובץ</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>קובץ %1</translation>
    </message>
    <message>
        <source>&amp;Encoding:</source>
        <translation>&amp;קידוד:</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>אוטומטי</translation>
    </message>
    <message>
        <source>Single-byte (code page 1255)</source>
        <translation>בית יחיד (דף קוד 1255)</translation>
    </message>
</context>
<context>
    <name>TProgram</name>
    <message>
        <source>Another instance of this program is already running.</source>
        <translation>עותק אחר של התוכנה כבר פועל.</translation>
    </message>
</context>
<context>
    <name>quorvandel::Command_hotkeys</name>
    <message>
        <source>This desktop lets no program take a key combination: bind the hotkeys to this program&apos;s command in its own settings.</source>
        <translation>שולחן העבודה הזה אינו מאפשר לאף תוכנה לתפוס צירוף מקשים: יש להקצות את מקשי הקיצור לפקודה של התוכנה בהגדרות של שולחן העבודה עצמו.</translation>
    </message>
    <message>
        <source>For sway, add these lines to its config, then reload it:</source>
        <translation>ב־sway יש להוסיף את השורות האלה לקובץ ההגדרות שלו, ואז לטעון אותו מחדש:</translation>
    </message>
    <message>
        <source>In GNOME: Settings &gt; Keyboard &gt; Custom Shortcuts, one shortcut for each:</source>
        <translation>ב־GNOME: הגדרות &gt; מקלדת &gt; קיצורי מקשים מותאמים אישית, קיצור אחד לכל אחד מהם:</translation>
    </message>
</context>
<context>
    <name>quorvandel::Portal_hotkeys</name>
    <message>
        <source>Convert the selection with the default profile</source>
        <translation>המרת הבחירה בפרופיל ברירת המחדל</translation>
    </message>
    <message>
        <source>Convert the selection with the active profile</source>
        <translation>המרת הבחירה בפרופיל הפעיל</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut service refused: </source>
        <translation>שירות קיצורי המקשים של שולחן העבודה סירב: </translation>
    </message>
    <message>
        <source>The desktop did not open a shortcut session.</source>
        <translation>שולחן העבודה לא פתח הפעלה של קיצורי מקשים.</translation>
    </message>
    <message>
        <source>The hotkeys were not bound: the desktop&apos;s shortcut dialog was cancelled.</source>
        <translation>מקשי הקיצור לא הוקצו: חלון קיצורי המקשים של שולחן העבודה בוטל.</translation>
    </message>
    <message>
        <source>The hotkeys were not bound: the desktop refused them.</source>
        <translation>מקשי הקיצור לא הוקצו: שולחן העבודה סירב להם.</translation>
    </message>
    <message>
        <source>The hotkeys are the desktop&apos;s global shortcuts; change them in its settings.</source>
        <translation>מקשי הקיצור הם קיצורי מקשים גלובליים של שולחן העבודה; אפשר לשנות אותם בהגדרות שלו.</translation>
    </message>
    <message>
        <source>waiting for the desktop</source>
        <translation>ממתין לשולחן העבודה</translation>
    </message>
</context>
<context>
    <name>quorvandel::Portal_keystrokes</name>
    <message>
        <source>The desktop&apos;s permission to send keys was cancelled, so the selection was not converted; the next hotkey asks again.</source>
        <translation>ההרשאה של שולחן העבודה לשלוח הקשות בוטלה, ולכן הבחירה לא הומרה; מקש הקיצור הבא יבקש אותה שוב.</translation>
    </message>
    <message>
        <source>The desktop did not let this program send keys, so the selection was not converted.</source>
        <translation>שולחן העבודה לא הרשה לתוכנה לשלוח הקשות, ולכן הבחירה לא הומרה.</translation>
    </message>
</context>
<context>
    <name>quorvandel::Qt_help_window</name>
    <message>
        <source>Contents</source>
        <translation>תוכן העניינים</translation>
    </message>
    <message>
        <source>Converting a file</source>
        <translation>המרת קובץ</translation>
    </message>
    <message>
        <source>Converting the clipboard</source>
        <translation>המרת הלוח</translation>
    </message>
    <message>
        <source>Converting in another program</source>
        <translation>המרה בתוכנה אחרת</translation>
    </message>
    <message>
        <source>The tray icon and minimizing</source>
        <translation>הסמל במגש המערכת ומזעור</translation>
    </message>
    <message>
        <source>Preferences: Bi-Directional Conversion</source>
        <translation>העדפות: המרה דו־כיוונית</translation>
    </message>
    <message>
        <source>Preferences: Source and Destination</source>
        <translation>העדפות: מקור ויעד</translation>
    </message>
    <message>
        <source>Preferences: Operation Settings</source>
        <translation>העדפות: הגדרות הפעלה</translation>
    </message>
    <message>
        <source>Profiles and hotkeys</source>
        <translation>פרופילים ומקשי קיצור</translation>
    </message>
    <message>
        <source>Preferences: &apos;Qwerty&apos; Settings</source>
        <translation>העדפות: הגדרות &apos;Qwerty&apos;</translation>
    </message>
    <message>
        <source>The ID validator and the chart</source>
        <translation>בודק תעודת הזהות והטבלה</translation>
    </message>
    <message>
        <source>The command-line converter</source>
        <translation>הממיר לשורת הפקודה</translation>
    </message>
    <message>
        <source>en</source>
        <extracomment>The folder of the help pages in this language under &quot;:/help/&quot;; &quot;en&quot; for the English pages at its top.</extracomment>
        <translation>he</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>הקודם</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>הבא</translation>
    </message>
    <message>
        <source>Quorvandel Help</source>
        <translation>עזרה של Quorvandel</translation>
    </message>
</context>
<context>
    <name>quorvandel::TASCIIChart</name>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Windows Codepage 1255 Chart</source>
        <translation>טבלת דף הקוד 1255 של Windows</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>קוד</translation>
    </message>
    <message>
        <source>Character</source>
        <translation>תו</translation>
    </message>
</context>
<context>
    <name>quorvandel::TAbout</name>
    <message>
        <source>E-mail address:</source>
        <translation>כתובת דוא״ל:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Version %1    (%2)</source>
        <translation>גרסה %1    (%2)</translation>
    </message>
    <message>
        <source>Mar. 04, 2002</source>
        <translation>4 במרץ 2002</translation>
    </message>
    <message>
        <source>© 2002 Quorvandel developers</source>
        <translation>© 2002 מפתחי Quorvandel</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL, version 3 or later</source>
        <translation>תוכנה חופשית לפי GNU GPL, גרסה 3 ואילך</translation>
    </message>
</context>
<context>
    <name>quorvandel::TConfirm</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;כן</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;לא</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>אישור פעולה</translation>
    </message>
</context>
<context>
    <name>quorvandel::THotkeySelection</name>
    <message>
        <source>Hotkey Selection</source>
        <translation>בחירת מקש קיצור</translation>
    </message>
    <message>
        <source>Modifier Keys</source>
        <translation>מקשי צירוף</translation>
    </message>
    <message>
        <source>Function Key</source>
        <translation>מקש פונקציה</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ביטול</translation>
    </message>
    <message>
        <source>Please select a new key combination for the hotkey:</source>
        <translation>נא לבחור צירוף מקשים חדש למקש הקיצור:</translation>
    </message>
</context>
<context>
    <name>quorvandel::TIDCheck</name>
    <message>
        <source>Please type a valid 8-digit ID number, and the corresponding</source>
        <translation>נא להקליד מספר זהות תקין בן 8 ספרות,</translation>
    </message>
    <message>
        <source>checksum digit will appear.</source>
        <translation>וספרת הביקורת המתאימה תוצג.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>ניקוי</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>סגירה</translation>
    </message>
    <message>
        <source>Israeli ID Validator</source>
        <translation>בודק מספר זהות ישראלי</translation>
    </message>
</context>
<context>
    <name>quorvandel::TMainForm</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;קובץ</translation>
    </message>
    <message>
        <source>C&amp;lear Source</source>
        <translation>&amp;ניקוי המקור</translation>
    </message>
    <message>
        <source>&amp;Open Source</source>
        <translation>&amp;פתיחת מקור</translation>
    </message>
    <message>
        <source>&amp;Recent Files</source>
        <translation>קבצים &amp;אחרונים</translation>
    </message>
    <message>
        <source>&amp;Save Destination As...</source>
        <translation>&amp;שמירת היעד בשם...</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>&amp;המרה</translation>
    </message>
    <message>
        <source>&amp;Bonus: Validate ID</source>
        <translation>&amp;בונוס: בדיקת מספר זהות</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;יציאה</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;אוטומטית</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;עריכה</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;ביטול פעולה</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;גזירה</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>ה&amp;עתקה</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>ה&amp;דבקה</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>בחירת ה&amp;כול</translation>
    </message>
    <message>
        <source>P&amp;references</source>
        <translation>העדפ&amp;ות</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;תצוגה</translation>
    </message>
    <message>
        <source>&amp;Word wrap</source>
        <translation>גלישת &amp;שורות</translation>
    </message>
    <message>
        <source>&amp;Source</source>
        <translation>&amp;מקור</translation>
    </message>
    <message>
        <source>&amp;Destination</source>
        <translation>&amp;יעד</translation>
    </message>
    <message>
        <source>&amp;Character Chart</source>
        <translation>&amp;טבלת תווים</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ע&amp;זרה</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;תוכן העניינים</translation>
    </message>
    <message>
        <source>&amp;About Quorvandel</source>
        <translation>&amp;אודות Quorvandel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>פתיחה</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>המרה</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>אוטו׳</translation>
    </message>
    <message>
        <source>Automatic: detect how the source text was garbled and convert it</source>
        <translation>אוטומטית: זיהוי האופן שבו הטקסט המקורי שובש, והמרתו</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>העדפות</translation>
    </message>
    <message>
        <source>From Clipboard</source>
        <translation>מהלוח</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>מקור</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>יעד</translation>
    </message>
    <message>
        <source>An error occurred while trying to launch the e-mail application.</source>
        <translation>אירעה שגיאה בניסיון להפעיל את תוכנת הדוא״ל.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ביטול</translation>
    </message>
    <message>
        <source>Couldn&apos;t load operation settings due to the following error: &apos;</source>
        <translation>לא ניתן לטעון את הגדרות ההפעלה עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Couldn&apos;t save operation settings due to the following error: &apos;</source>
        <translation>לא ניתן לשמור את הגדרות ההפעלה עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Couldn&apos;t save window position due to the following error: &apos;</source>
        <translation>לא ניתן לשמור את מיקום החלון עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Couldn&apos;t read settings due to the following error: &apos;</source>
        <translation>לא ניתן לקרוא את ההגדרות עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Couldn&apos;t save settings due to the following error: &apos;</source>
        <translation>לא ניתן לשמור את ההגדרות עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Unable to read </source>
        <translation>לא ניתן לקרוא את </translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>לא ניתן לכתוב אל </translation>
    </message>
    <message>
        <source>Unable to assign %1 as a default hotkey.</source>
        <translation>לא ניתן להקצות את %1 כמקש קיצור לפרופיל ברירת המחדל.</translation>
    </message>
    <message>
        <source>Unable to assign %1 as an active profile hotkey.</source>
        <translation>לא ניתן להקצות את %1 כמקש קיצור לפרופיל הפעיל.</translation>
    </message>
    <message>
        <source>Couldn&apos;t change the &apos;launch on startup&apos; settings.</source>
        <translation>לא ניתן לשנות את ההגדרה &apos;הפעלה עם הכניסה למערכת&apos;.</translation>
    </message>
    <message>
        <source>All files (*);;Text files (*.txt *.asc);;HTML files (*.htm *.html)</source>
        <translation>כל הקבצים (*);;קובצי טקסט (*.txt *.asc);;קובצי HTML (*.htm *.html)</translation>
    </message>
    <message>
        <source>Opening File...</source>
        <translation>פותח קובץ...</translation>
    </message>
    <message>
        <source>Open Source</source>
        <translation>פתיחת מקור</translation>
    </message>
    <message>
        <source>Couldn&apos;t read input file due to the following error: &apos;</source>
        <translation>לא ניתן לקרוא את קובץ הקלט עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Save Destination As</source>
        <translation>שמירת היעד בשם</translation>
    </message>
    <message>
        <source>the character U+%1 has no byte in code page 1255</source>
        <translation>לתו U+%1 אין בית בדף הקוד 1255</translation>
    </message>
    <message>
        <source>Couldn&apos;t save converted file due to the following error: &apos;</source>
        <translation>לא ניתן לשמור את הקובץ המומר עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Nothing detected (too short, or no Hebrew)</source>
        <translation>לא זוהה דבר (קצר מדי, או שאין בו עברית)</translation>
    </message>
    <message>
        <source>UTF-8 read as code page 1252</source>
        <translation>UTF-8 שנקרא כדף קוד 1252</translation>
    </message>
    <message>
        <source>UTF-8 read as bytes</source>
        <translation>UTF-8 שנקרא כבתים</translation>
    </message>
    <message>
        <source>, numeric references</source>
        <translation>, הפניות מספריות</translation>
    </message>
    <message>
        <source>, quoted-printable</source>
        <translation>, quoted-printable</translation>
    </message>
    <message>
        <source>, visual order</source>
        <translation>, סדר חזותי</translation>
    </message>
    <message>
        <source>, logical order</source>
        <translation>, סדר לוגי</translation>
    </message>
    <message>
        <source>Detected: %1</source>
        <translation>זוהה: %1</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>ממיר...</translation>
    </message>
    <message>
        <source>It seems to be the first time you&apos;re running this program. Please take a moment to configure its operation settings.</source>
        <translation>נראה שזו הפעם הראשונה שהתוכנה מופעלת. נא להקדיש רגע להגדרות ההפעלה שלה.</translation>
    </message>
    <message>
        <source>Could not create the default &apos;Original files&apos; folder.</source>
        <translation>לא ניתן ליצור את תיקיית ברירת המחדל &apos;Original files&apos;.</translation>
    </message>
    <message>
        <source>Could not create the default &apos;Converted files&apos; folder.</source>
        <translation>לא ניתן ליצור את תיקיית ברירת המחדל &apos;Converted files&apos;.</translation>
    </message>
    <message>
        <source>Create Shortcut</source>
        <translation>יצירת קיצור דרך</translation>
    </message>
    <message>
        <source>Would you like to create a shortcut on the desktop ?</source>
        <translation>ליצור קיצור דרך בשולחן העבודה?</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>DOS</source>
        <translation>DOS</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>אנגלית גדולות</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>אנגלית קטנות</translation>
    </message>
    <message>
        <source>Qwerty (U)</source>
        <translation>Qwerty (גדולות)</translation>
    </message>
    <message>
        <source>Qwerty (L)</source>
        <translation>Qwerty (קטנות)</translation>
    </message>
    <message>
        <source>Blank</source>
        <translation>ריק</translation>
    </message>
    <message>
        <source>Loaded: %1</source>
        <translation>נטען: %1</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>הומר</translation>
    </message>
    <message>
        <source>Converted: %1</source>
        <translation>הומר: %1</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>נשמר: %1</translation>
    </message>
    <message>
        <source> (modified)</source>
        <translation> (שונה)</translation>
    </message>
    <message>
        <source>Bytes: %1</source>
        <translation>בתים: %1</translation>
    </message>
    <message>
        <source>Lines: %1</source>
        <translation>שורות: %1</translation>
    </message>
    <message>
        <source>No byte: %1</source>
        <translation>ללא בית: %1</translation>
    </message>
    <message>
        <source>%1 characters have no byte in code page 1255; save as UTF-8 to keep them.</source>
        <translation>ל־%1 תווים אין בית בדף הקוד 1255; יש לשמור כ־UTF-8 כדי לשמר אותם.</translation>
    </message>
    <message>
        <source>Default profile</source>
        <translation>פרופיל ברירת המחדל</translation>
    </message>
    <message>
        <source>Active profile: &apos;%1&apos;</source>
        <translation>פרופיל פעיל: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 --&gt; %2</source>
        <translation>מ־%1 אל %2</translation>
    </message>
    <message>
        <source>Quorvandel</source>
        <translation>Quorvandel</translation>
    </message>
    <message>
        <source>Quorvandel (disabled)</source>
        <translation>Quorvandel (מושבת)</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>שחזור</translation>
    </message>
    <message>
        <source>Enable Hotkeys</source>
        <translation>הפעלת מקשי הקיצור</translation>
    </message>
    <message>
        <source>Bonus: ID Validator</source>
        <translation>בונוס: בודק מספר זהות</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>עזרה</translation>
    </message>
    <message>
        <source>About Quorvandel</source>
        <translation>אודות Quorvandel</translation>
    </message>
    <message>
        <source>Exit Quorvandel</source>
        <translation>יציאה מ־Quorvandel</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>מזעור</translation>
    </message>
    <message>
        <source>Disable hotkeys</source>
        <translation>השבתת מקשי הקיצור</translation>
    </message>
    <message>
        <source>Enable hotkeys</source>
        <translation>הפעלת מקשי הקיצור</translation>
    </message>
    <message>
        <source>Co&amp;nvert	F5</source>
        <translation>ה&amp;מרה	F5</translation>
    </message>
    <message>
        <source>Hebrew typed on English keys</source>
        <translation>עברית שהוקלדה במקשים האנגליים</translation>
    </message>
    <message>
        <source>English typed on Hebrew keys</source>
        <translation>אנגלית שהוקלדה במקשים העבריים</translation>
    </message>
    <message>
        <source>Detected: wrong layout: %1</source>
        <translation>זוהה: פריסת מקלדת שגויה: %1</translation>
    </message>
    <message>
        <source>Could not create the shortcut on the desktop: no desktop folder was found.</source>
        <translation>לא ניתן ליצור קיצור דרך בשולחן העבודה: לא נמצאה תיקיית שולחן העבודה.</translation>
    </message>
    <message>
        <source>Could not create the shortcut &apos;%1&apos; on the desktop: its folder does not exist.</source>
        <translation>לא ניתן ליצור את קיצור הדרך &apos;%1&apos; בשולחן העבודה: התיקייה שלו אינה קיימת.</translation>
    </message>
    <message>
        <source>Could not create the shortcut &apos;%1&apos; on the desktop: there is no permission to write in its folder.</source>
        <translation>לא ניתן ליצור את קיצור הדרך &apos;%1&apos; בשולחן העבודה: אין הרשאת כתיבה בתיקייה שלו.</translation>
    </message>
    <message>
        <source>Could not create the shortcut &apos;%1&apos; on the desktop.</source>
        <translation>לא ניתן ליצור את קיצור הדרך &apos;%1&apos; בשולחן העבודה.</translation>
    </message>
    <message>
        <source>Nothing was selected in the active window.</source>
        <translation>לא נבחר דבר בחלון הפעיל.</translation>
    </message>
    <message>
        <source>The converted text was not pasted; it is in the Quorvandel window.</source>
        <translation>הטקסט המומר לא הודבק; הוא נמצא בחלון של Quorvandel.</translation>
    </message>
    <message>
        <source>Quorvandel notice</source>
        <translation>הודעה של Quorvandel</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; אינו מספר שלם תקין</translation>
    </message>
    <message>
        <source>the bidirectional algorithm is not available</source>
        <translation>האלגוריתם הדו־כיווני אינו זמין</translation>
    </message>
    <message>
        <source>the bidirectional algorithm could not reorder the line</source>
        <translation>האלגוריתם הדו־כיווני לא הצליח לסדר מחדש את השורה</translation>
    </message>
    <message>
        <source>The clipboard could not be set aside, so the selection was not converted.</source>
        <translation>לא ניתן היה לשמור בצד את תוכן הלוח, ולכן הבחירה לא הומרה.</translation>
    </message>
    <message>
        <source>The clipboard could not be emptied, so the selection was not converted.</source>
        <translation>לא ניתן היה לרוקן את הלוח, ולכן הבחירה לא הומרה.</translation>
    </message>
    <message>
        <source>The converted text could not be put on the clipboard, so nothing was pasted.</source>
        <translation>לא ניתן היה להעביר את הטקסט המומר אל הלוח, ולכן דבר לא הודבק.</translation>
    </message>
    <message>
        <source>The converted text could not be put into the selection, so nothing was pasted.</source>
        <translation>לא ניתן היה להעביר את הטקסט המומר אל הבחירה, ולכן דבר לא הודבק.</translation>
    </message>
    <message>
        <source>The clipboard&apos;s former contents could not be put back.</source>
        <translation>לא ניתן היה להחזיר את התוכן הקודם של הלוח.</translation>
    </message>
    <message>
        <source>This desktop gives no program the clipboard of other programs (its desktop portal has one from xdg-desktop-portal 1.18 on), so the hotkeys cannot convert here. Start Quorvandel on XWayland instead, with QT_QPA_PLATFORM=xcb.</source>
        <translation>שולחן העבודה הזה אינו נותן לאף תוכנה את הלוח של תוכנות אחרות (לפורטל שולחן העבודה יש לוח החל מ־xdg-desktop-portal 1.18), ולכן מקשי הקיצור אינם יכולים להמיר כאן. במקום זאת יש להפעיל את Quorvandel ב־XWayland, עם QT_QPA_PLATFORM=xcb.</translation>
    </message>
</context>
<context>
    <name>quorvandel::TMyInputBox</name>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ביטול</translation>
    </message>
</context>
<context>
    <name>quorvandel::TPathSelect</name>
    <message>
        <source>Please select a new path:</source>
        <translation>נא לבחור נתיב חדש:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ביטול</translation>
    </message>
    <message>
        <source>Path Selection</source>
        <translation>בחירת נתיב</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>תיקיית הבית</translation>
    </message>
</context>
<context>
    <name>quorvandel::TPrefForm</name>
    <message>
        <source>Windows CodePage 1255 (224 - 251)</source>
        <translation>דף קוד 1255 של Windows‏ (224 - 251)</translation>
    </message>
    <message>
        <source>DOS CodePage 862 (128 - 154)</source>
        <translation>דף קוד 862 של DOS‏ (128 - 154)</translation>
    </message>
    <message>
        <source>Uppercase English (65 - 90)</source>
        <translation>אותיות אנגליות גדולות (65 - 90)</translation>
    </message>
    <message>
        <source>Lowercase English (97 - 122)</source>
        <translation>אותיות אנגליות קטנות (97 - 122)</translation>
    </message>
    <message>
        <source>&apos;Qwerty&apos; mapping (uppercase)</source>
        <translation>מיפוי &apos;Qwerty&apos; (אותיות גדולות)</translation>
    </message>
    <message>
        <source>&apos;Qwerty&apos; mapping (lowercase)</source>
        <translation>מיפוי &apos;Qwerty&apos; (אותיות קטנות)</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>הפעלה עם הכניסה למערכת</translation>
    </message>
    <message>
        <source>Launch on Windows startup</source>
        <translation>הפעלה עם הפעלת Windows</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>העדפות</translation>
    </message>
    <message>
        <source>Bi-Directional Conversion</source>
        <translation>המרה דו־כיוונית</translation>
    </message>
    <message>
        <source>Source Properties</source>
        <translation>מאפייני המקור</translation>
    </message>
    <message>
        <source>Destination Properties</source>
        <translation>מאפייני היעד</translation>
    </message>
    <message>
        <source>Operation Settings</source>
        <translation>הגדרות הפעלה</translation>
    </message>
    <message>
        <source>Profiles and Hotkey Settings</source>
        <translation>פרופילים ומקשי קיצור</translation>
    </message>
    <message>
        <source>&apos;Qwerty&apos; Settings</source>
        <translation>הגדרות &apos;Qwerty&apos;</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ביטול</translation>
    </message>
    <message>
        <source>Save as default</source>
        <translation>שמירה כברירת מחדל</translation>
    </message>
    <message>
        <source>Whole line</source>
        <translation>שורה שלמה</translation>
    </message>
    <message>
        <source>Hebrew words</source>
        <translation>מילים בעברית</translation>
    </message>
    <message>
        <source>Hebrew phrases</source>
        <translation>ביטויים בעברית</translation>
    </message>
    <message>
        <source>English words</source>
        <translation>מילים באנגלית</translation>
    </message>
    <message>
        <source>English phrases</source>
        <translation>ביטויים באנגלית</translation>
    </message>
    <message>
        <source>HTML Tags</source>
        <translation>תגיות HTML</translation>
    </message>
    <message>
        <source>HTML Text</source>
        <translation>טקסט HTML</translation>
    </message>
    <message>
        <source>Parentheses:  (   )</source>
        <translation>סוגריים עגולים:  (   )</translation>
    </message>
    <message>
        <source>Square brackets:  [  ]</source>
        <translation>סוגריים מרובעים:  [  ]</translation>
    </message>
    <message>
        <source>Curly braces:  {   }</source>
        <translation>סוגריים מסולסלים:  {   }</translation>
    </message>
    <message>
        <source>Angled brackets:  &lt; &gt;</source>
        <translation>סוגריים משולשים:  &lt; &gt;</translation>
    </message>
    <message>
        <source>Complement leading spaces</source>
        <translation>השלמת רווחים מובילים</translation>
    </message>
    <message>
        <source>Truncate trailing spaces</source>
        <translation>קיצוץ רווחים עוקבים</translation>
    </message>
    <message>
        <source>Reverse digit sequences</source>
        <translation>היפוך רצפי ספרות</translation>
    </message>
    <message>
        <source>Reverse numerical expressions</source>
        <translation>היפוך ביטויים מספריים</translation>
    </message>
    <message>
        <source>hyphen (-)</source>
        <translation>מקף (-)</translation>
    </message>
    <message>
        <source>period (.)</source>
        <translation>נקודה (.)</translation>
    </message>
    <message>
        <source>Slash (/)</source>
        <translation>לוכסן (/)</translation>
    </message>
    <message>
        <source>Comma (,)</source>
        <translation>פסיק (,)</translation>
    </message>
    <message>
        <source>Plus sign (+)</source>
        <translation>סימן פלוס (+)</translation>
    </message>
    <message>
        <source>Colon (:)</source>
        <translation>נקודתיים (:)</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>רווח</translation>
    </message>
    <message>
        <source>Classic reversals</source>
        <translation>היפוכים קלאסיים</translation>
    </message>
    <message>
        <source>Unicode bidirectional algorithm</source>
        <translation>האלגוריתם הדו־כיווני של Unicode</translation>
    </message>
    <message>
        <source>Visual to logical</source>
        <translation>מחזותי ללוגי</translation>
    </message>
    <message>
        <source>Logical to visual</source>
        <translation>מלוגי לחזותי</translation>
    </message>
    <message>
        <source>Right to left</source>
        <translation>מימין לשמאל</translation>
    </message>
    <message>
        <source>Left to right</source>
        <translation>משמאל לימין</translation>
    </message>
    <message>
        <source>By the first strong letter</source>
        <translation>לפי האות החזקה הראשונה</translation>
    </message>
    <message>
        <source>Space Handling When Line Is Reversed</source>
        <translation>טיפול ברווחים בהיפוך שורה</translation>
    </message>
    <message>
        <source>Line length:</source>
        <translation>אורך שורה:</translation>
    </message>
    <message>
        <source>Numerical Expression Separators</source>
        <translation>מפרידים בביטויים מספריים</translation>
    </message>
    <message>
        <source>Reverse:</source>
        <translation>היפוך:</translation>
    </message>
    <message>
        <source>Flip Parentheses</source>
        <translation>היפוך סוגריים</translation>
    </message>
    <message>
        <source>Number Reversion</source>
        <translation>היפוך מספרים</translation>
    </message>
    <message>
        <source>Reordering</source>
        <translation>סידור מחדש</translation>
    </message>
    <message>
        <source>Method:</source>
        <translation>שיטה:</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>כיוון:</translation>
    </message>
    <message>
        <source>Paragraphs:</source>
        <translation>פסקאות:</translation>
    </message>
    <message>
        <source>Translate HTML (Hebrew Unicode) numeric entity references (e.g., &apos;&amp;&amp;#x05D0;&apos;)</source>
        <translation>תרגום הפניות מספריות של HTML לעברית ב־Unicode (לדוגמה, &apos;‎&amp;&amp;#x05D0;‎&apos;)</translation>
    </message>
    <message>
        <source>Translate quoted-printable Hebrew characters, used in e-mail (e.g., &apos;=E0&apos;)</source>
        <translation>תרגום תווים עבריים בקידוד quoted-printable של דוא״ל (לדוגמה, &apos;‎=E0‎&apos;)</translation>
    </message>
    <message>
        <source>Source Hebrew Character Set</source>
        <translation>ערכת התווים העברית של המקור</translation>
    </message>
    <message>
        <source>Detect how the text was garbled and convert it automatically</source>
        <translation>זיהוי האופן שבו הטקסט שובש והמרתו אוטומטית</translation>
    </message>
    <message>
        <source>Destination Hebrew Character Set</source>
        <translation>ערכת התווים העברית של היעד</translation>
    </message>
    <message>
        <source>End-Of-Line Format</source>
        <translation>תבנית סוף שורה</translation>
    </message>
    <message>
        <source>CR/LF  (Windows)</source>
        <translation>CR/LF  (Windows)</translation>
    </message>
    <message>
        <source>LF only  (Unix)</source>
        <translation>LF בלבד  (Unix)</translation>
    </message>
    <message>
        <source>CR only (Macintosh)</source>
        <translation>CR בלבד (Macintosh)</translation>
    </message>
    <message>
        <source>English Letter Case</source>
        <translation>אותיות אנגליות</translation>
    </message>
    <message>
        <source>Leave as is</source>
        <translation>ללא שינוי</translation>
    </message>
    <message>
        <source>Force uppercase characters</source>
        <translation>אותיות גדולות בלבד</translation>
    </message>
    <message>
        <source>Force lowercase characters</source>
        <translation>אותיות קטנות בלבד</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>הפעלה ממוזערת</translation>
    </message>
    <message>
        <source>Automatically save main</source>
        <translation>שמירה אוטומטית של גודל</translation>
    </message>
    <message>
        <source>Save now</source>
        <translation>שמירה עכשיו</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>עיון</translation>
    </message>
    <message>
        <source>Confirm overwrites when saving files</source>
        <translation>אישור לפני שמירה על קובץ קיים</translation>
    </message>
    <message>
        <source>Show full path names in titles</source>
        <translation>הצגת נתיבים מלאים בכותרות</translation>
    </message>
    <message>
        <source>System</source>
        <translation>שפת המערכת</translation>
    </message>
    <message>
        <source>A change of language applies at the next start.</source>
        <translation>שינוי השפה ייכנס לתוקף בהפעלה הבאה.</translation>
    </message>
    <message>
        <source>The following settings apply to all profiles and are always saved.</source>
        <translation>ההגדרות הבאות חלות על כל הפרופילים ונשמרות תמיד.</translation>
    </message>
    <message>
        <source>Minimize To:</source>
        <translation>מזעור אל:</translation>
    </message>
    <message>
        <source>Taskbar and system tray</source>
        <translation>שורת המשימות ומגש המערכת</translation>
    </message>
    <message>
        <source>System tray only</source>
        <translation>מגש המערכת בלבד</translation>
    </message>
    <message>
        <source>window&apos;s size and position</source>
        <translation>החלון הראשי ומיקומו</translation>
    </message>
    <message>
        <source>Default source path:</source>
        <translation>נתיב ברירת המחדל למקור:</translation>
    </message>
    <message>
        <source>Default destination path:</source>
        <translation>נתיב ברירת המחדל ליעד:</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;שפה:</translation>
    </message>
    <message>
        <source>Create a new profile</source>
        <translation>יצירת פרופיל חדש</translation>
    </message>
    <message>
        <source>Rename the current profile</source>
        <translation>שינוי שם הפרופיל הנוכחי</translation>
    </message>
    <message>
        <source>Save current settings to the active profile</source>
        <translation>שמירת ההגדרות הנוכחיות בפרופיל הפעיל</translation>
    </message>
    <message>
        <source>Delete the active profile</source>
        <translation>מחיקת הפרופיל הפעיל</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>שינוי</translation>
    </message>
    <message>
        <source>Active profile:</source>
        <translation>פרופיל פעיל:</translation>
    </message>
    <message>
        <source>Active profile hotkey:</source>
        <translation>מקש קיצור לפרופיל הפעיל:</translation>
    </message>
    <message>
        <source>Default profile hotkey: </source>
        <translation>מקש קיצור לפרופיל ברירת המחדל: </translation>
    </message>
    <message>
        <source>In this Wayland session the hotkeys work in X11 (XWayland) programs only.</source>
        <translation>בהפעלת Wayland זו מקשי הקיצור פועלים רק בתוכנות X11‏ (XWayland).</translation>
    </message>
    <message>
        <source>Map acc. grave (`) to semicolon (;)</source>
        <translation>מיפוי גרש הפוך (`) לנקודה־פסיק (;)</translation>
    </message>
    <message>
        <source>Map &apos;Q&apos; to slash (/)</source>
        <translation>מיפוי &apos;Q&apos; ללוכסן (/)</translation>
    </message>
    <message>
        <source>Map &apos;W&apos; to apostrophe (&apos;)</source>
        <translation>מיפוי &apos;W&apos; לגרש (&apos;)</translation>
    </message>
    <message>
        <source>Map semicolon (;) to Final Peh</source>
        <translation>מיפוי נקודה־פסיק (;) לפ״א סופית</translation>
    </message>
    <message>
        <source>Map apostophe (&apos;) to comma (,)</source>
        <translation>מיפוי גרש (&apos;) לפסיק (,)</translation>
    </message>
    <message>
        <source>Map comma (,) to Tav</source>
        <translation>מיפוי פסיק (,) לתי״ו</translation>
    </message>
    <message>
        <source>Map period (.) to Final Tsadi</source>
        <translation>מיפוי נקודה (.) לצד״י סופית</translation>
    </message>
    <message>
        <source>Map slash (/) to period (.)</source>
        <translation>מיפוי לוכסן (/) לנקודה (.)</translation>
    </message>
    <message>
        <source>Map tilde (~) to Final Peh</source>
        <translation>מיפוי טילדה (~) לפ״א סופית</translation>
    </message>
    <message>
        <source>Map semicolon (;) to acc. grave (`)</source>
        <translation>מיפוי נקודה־פסיק (;) לגרש הפוך (`)</translation>
    </message>
    <message>
        <source>Map slash (/) to &apos;Q&apos;</source>
        <translation>מיפוי לוכסן (/) ל־&apos;Q&apos;</translation>
    </message>
    <message>
        <source>Map apostrophe (&apos;) to &apos;W&apos;</source>
        <translation>מיפוי גרש (&apos;) ל־&apos;W&apos;</translation>
    </message>
    <message>
        <source>Map comma (,) to apostrophe (&apos;)</source>
        <translation>מיפוי פסיק (,) לגרש (&apos;)</translation>
    </message>
    <message>
        <source>Map Tav to comma (,)</source>
        <translation>מיפוי תי״ו לפסיק (,)</translation>
    </message>
    <message>
        <source>Map Final Tsadi to period (.)</source>
        <translation>מיפוי צד״י סופית לנקודה (.)</translation>
    </message>
    <message>
        <source>Map period (.) to slash (/)</source>
        <translation>מיפוי נקודה (.) ללוכסן (/)</translation>
    </message>
    <message>
        <source>Map Final Peh</source>
        <translation>מיפוי פ״א סופית</translation>
    </message>
    <message>
        <source>Qwerty Destination</source>
        <translation>יעד Qwerty</translation>
    </message>
    <message>
        <source>Map Final Peh to:</source>
        <translation>מיפוי פ״א סופית אל:</translation>
    </message>
    <message>
        <source>To semicolon (;)</source>
        <translation>נקודה־פסיק (;)</translation>
    </message>
    <message>
        <source>To tilde (~)</source>
        <translation>טילדה (~)</translation>
    </message>
    <message>
        <source>Qwerty Source</source>
        <translation>מקור Qwerty</translation>
    </message>
    <message>
        <source>Invalid line length entered. Line length changed back to default.</source>
        <translation>הוזן אורך שורה לא תקין. אורך השורה הוחזר לברירת המחדל.</translation>
    </message>
    <message>
        <source>Default profile</source>
        <translation>פרופיל ברירת המחדל</translation>
    </message>
    <message>
        <source>A profile name cannot be empty.</source>
        <translation>שם פרופיל אינו יכול להיות ריק.</translation>
    </message>
    <message>
        <source>A profile cannot be renamed to its own name.</source>
        <translation>לא ניתן לשנות שם של פרופיל לשמו הנוכחי.</translation>
    </message>
    <message>
        <source>A profile bearing this name already exists.</source>
        <translation>כבר קיים פרופיל בשם זה.</translation>
    </message>
    <message>
        <source>The default profile&apos;s name is reserved.</source>
        <translation>שם פרופיל ברירת המחדל שמור.</translation>
    </message>
    <message>
        <source>A profile name cannot contain square brackets or line breaks.</source>
        <translation>שם פרופיל אינו יכול להכיל סוגריים מרובעים או מעברי שורה.</translation>
    </message>
    <message>
        <source>The maximum allowable number of profiles was reached.</source>
        <translation>הושג המספר המרבי של פרופילים.</translation>
    </message>
    <message>
        <source>Make A New Profile</source>
        <translation>יצירת פרופיל חדש</translation>
    </message>
    <message>
        <source>Please type a name for the new profile:</source>
        <translation>נא להקליד שם לפרופיל החדש:</translation>
    </message>
    <message>
        <source>Profile &apos;%1&apos; was successfully created.</source>
        <translation>הפרופיל &apos;%1&apos; נוצר בהצלחה.</translation>
    </message>
    <message>
        <source>The default profile cannot be renamed.</source>
        <translation>לא ניתן לשנות את שם פרופיל ברירת המחדל.</translation>
    </message>
    <message>
        <source>Rename a Profile</source>
        <translation>שינוי שם פרופיל</translation>
    </message>
    <message>
        <source>Please type a new name for the profile:</source>
        <translation>נא להקליד שם חדש לפרופיל:</translation>
    </message>
    <message>
        <source>Couldn&apos;t save settings due to the following error: &apos;</source>
        <translation>לא ניתן לשמור את ההגדרות עקב השגיאה הבאה: &apos;</translation>
    </message>
    <message>
        <source>Profile &apos;%1&apos; was successfully renamed to &apos;%2&apos;.</source>
        <translation>שם הפרופיל &apos;%1&apos; שונה בהצלחה ל־&apos;%2&apos;.</translation>
    </message>
    <message>
        <source>The default profile cannot be deleted.</source>
        <translation>לא ניתן למחוק את פרופיל ברירת המחדל.</translation>
    </message>
    <message>
        <source>Are you sure you&apos;d like to delete the profile named &apos;%1&apos; ?</source>
        <translation>האם למחוק את הפרופיל &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>Default profile has been saved.</source>
        <translation>פרופיל ברירת המחדל נשמר.</translation>
    </message>
    <message>
        <source>Profile &apos;%1&apos; has been saved.</source>
        <translation>הפרופיל &apos;%1&apos; נשמר.</translation>
    </message>
    <message>
        <source>Show a notice when a hotkey found nothing selected or could not paste</source>
        <translation>הצגת הודעה כשמקש קיצור לא מצא טקסט נבחר או לא הצליח להדביק</translation>
    </message>
    <message>
        <source>%1 is already the default profile hotkey. Please choose another combination for the active profile hotkey.</source>
        <translation>%1 הוא כבר מקש הקיצור של פרופיל ברירת המחדל. נא לבחור צירוף אחר למקש הקיצור של הפרופיל הפעיל.</translation>
    </message>
    <message>
        <source>%1 is already the active profile hotkey. Please choose another combination for the default profile hotkey.</source>
        <translation>%1 הוא כבר מקש הקיצור של הפרופיל הפעיל. נא לבחור צירוף אחר למקש הקיצור של פרופיל ברירת המחדל.</translation>
    </message>
</context>
<context>
    <name>quorvandel::TProgBar</name>
    <message>
        <source>Please Wait</source>
        <translation>נא להמתין</translation>
    </message>
</context>
<context>
    <name>quorvandel::TText_pane</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;ביטול פעולה</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;חזרה על פעולה</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;גזירה</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>ה&amp;עתקה</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>ה&amp;דבקה</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;מחיקה</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>בחירת ה&amp;כול</translation>
    </message>
</context>
</TS>
