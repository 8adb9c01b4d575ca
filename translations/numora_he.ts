<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="he_IL">
<context>
    <name>Intro</name>
    <message>
        <source>Welcome !</source>
        <extracomment>The big two-colour greeting: Verdana 48 pt, one line of about nine letters at most (a longer word is cut), then &quot;to Numora!&quot; below it.</extracomment>
        <translation>שלום!</translation>
    </message>
    <message>
        <source>Please choose a number from 1 to 60 and click the &quot;NEXT&quot; button.</source>
        <extracomment>The instruction under the greeting, 24 pt in a box of about six short lines. &quot;NEXT&quot; names the button that reads &quot;Next &gt;&quot;.</extracomment>
        <translation>בחרו מספר בין 1&#xa0;ל-60 ולחצו על הכפתור &quot;הבא&quot;.</translation>
    </message>
    <message>
        <source>to Numora!</source>
        <extracomment>Second half of the greeting, under &quot;Welcome !&quot;: Comic 24 pt, one line of about twelve letters.</extracomment>
        <translation>אני Numora!</translation>
    </message>
    <message>
        <source>Welcome to the numora program!</source>
        <extracomment>Title bar of the welcome window.</extracomment>
        <translation>ברוכים הבאים לתוכנת Numora!</translation>
    </message>
</context>
<context>
    <name>Pick</name>
    <message>
        <source>If the number you chose is appering on this card, Please mark the check box.</source>
        <extracomment>The check box&apos;s caption, beside the box: Comic 12 pt, two lines of about forty letters.</extracomment>
        <translation>אם המספר שבחרתם מופיע בכרטיס הזה, סמנו את התיבה.</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <extracomment>The last card&apos;s button, in place of &quot;Next &gt;&quot;: it leads to the number. It may share its access key with the File menu.</extracomment>
        <translation>סיום (&amp;F)</translation>
    </message>
    <message>
        <source>Numbers on card %1 of %2</source>
        <extracomment>What a screen reader says of the grid of numbers: %1 is the card&apos;s number, %2 how many cards there are.</extracomment>
        <translation>המספרים בכרטיס %1 מתוך %2</translation>
    </message>
    <message>
        <source>If the number you chose is on this card, tick the check box, which comes after the Exit button, then press Finish</source>
        <extracomment>Read by a screen reader on the last card, after the card&apos;s name. &quot;Exit&quot; and &quot;Finish&quot; name the window&apos;s buttons.</extracomment>
        <translation>אם המספר שבחרתם מופיע בכרטיס הזה, סמנו את תיבת הסימון שאחרי הכפתור יציאה, ואז לחצו על סיום</translation>
    </message>
    <message>
        <source>If the number you chose is on this card, tick the check box, which comes after the Exit button, then press Next</source>
        <extracomment>Read by a screen reader on cards 1 to 5, after the card&apos;s name. &quot;Exit&quot; and &quot;Next&quot; name the window&apos;s buttons.</extracomment>
        <translation>אם המספר שבחרתם מופיע בכרטיס הזה, סמנו את תיבת הסימון שאחרי הכפתור יציאה, ואז לחצו על הבא</translation>
    </message>
    <message>
        <source>Numora - Is the number you chose appearing on this card?</source>
        <extracomment>Title bar of each of the six card windows.</extracomment>
        <translation>האם המספר שבחרתם מופיע בכרטיס הזה? - Numora</translation>
    </message>
</context>
<context>
    <name>Quit</name>
    <message>
        <source>The number you chose is</source>
        <extracomment>The big two-colour heading above the number: Verdana 48 pt, at most two lines of about twelve letters.</extracomment>
        <translation>המספר שבחרתם הוא</translation>
    </message>
    <message>
        <source>The number you chose is %1</source>
        <extracomment>What a screen reader says of the number: %1 is the number.</extracomment>
        <translation>המספר שבחרתם הוא %1</translation>
    </message>
    <message>
        <source>Numora - The number you chose is...</source>
        <extracomment>Title bar of the window that names the chosen number.</extracomment>
        <translation>המספר שבחרתם הוא... - Numora</translation>
    </message>
</context>
<context>
    <name>SequenceWindow</name>
    <message>
        <source>&amp;File</source>
        <extracomment>Menu. The letter after &amp; is the access key (Alt+letter); within a window the menus&apos; and the buttons&apos; access keys must all differ.</extracomment>
        <translation>קובץ (&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <comment>menu item</comment>
        <extracomment>Item of the File menu; the letter after &amp; chooses it in the open menu.</extracomment>
        <translation>יציאה (&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <extracomment>Menu, beside File.</extracomment>
        <translation>עזרה (&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <extracomment>Item of the Help menu: opens the About window.</extracomment>
        <translation>אודות (&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <comment>button</comment>
        <extracomment>Button that leaves the program, on every window of the trick; a short word (the button is small).</extracomment>
        <translation>יציאה (&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <extracomment>Button that moves on to the next window; a short word and &quot;&gt;&quot;.</extracomment>
        <translation>הבא (&amp;N) &gt;</translation>
    </message>
</context>
<context>
    <name>flow</name>
    <message>
        <source>Welcome...</source>
        <extracomment>Title of the message box that greets the user before the first window.</extracomment>
        <translation>ברוכים הבאים...</translation>
    </message>
    <message>
        <source>Welcome to Numora !</source>
        <extracomment>The greeting in the first message box, before the welcome window.</extracomment>
        <translation>ברוכים הבאים ל-Numora!</translation>
    </message>
    <message>
        <source>Bye Bye...</source>
        <extracomment>Title of the message box shown as the user leaves the program.</extracomment>
        <translation>להתראות...</translation>
    </message>
    <message>
        <source>Bye Bye, and thank you for using Numora !</source>
        <extracomment>The goodbye in the last message box.</extracomment>
        <translation>להתראות, ותודה שהשתמשתם ב-Numora!</translation>
    </message>
</context>
<context>
    <name>forms</name>
    <message>
        <source>Numora has to stop because of an error:</source>
        <extracomment>Message box after an error the program cannot go on from; the error&apos;s own text (in English) follows on the next line.</extracomment>
        <translation>התוכנה נסגרת בגלל שגיאה:</translation>
    </message>
    <message>
        <source>Numora - Error</source>
        <extracomment>Title of that message box.</extracomment>
        <translation>שגיאה - Numora</translation>
    </message>
</context>
<context>
    <name>frmabout</name>
    <message>
        <source>Ok</source>
        <extracomment>The button that closes the About window; it has no access key.</extracomment>
        <translation>אישור</translation>
    </message>
    <message>
        <source>E-Mail: </source>
        <extracomment>Followed by the e-mail address.</extracomment>
        <translation>דוא&quot;ל: </translation>
    </message>
    <message>
        <source>For more information: </source>
        <extracomment>Followed by the address of the web page.</extracomment>
        <translation>למידע נוסף: </translation>
    </message>
    <message>
        <source>E-Mail address: </source>
        <extracomment>What a screen reader says before the e-mail address: three words or more with it, or the reader passes it over.</extracomment>
        <translation>כתובת הדואר האלקטרוני: </translation>
    </message>
    <message>
        <source>Numora - About</source>
        <extracomment>Title bar of the About window.</extracomment>
        <translation>אודות Numora</translation>
    </message>
</context>
</TS>
