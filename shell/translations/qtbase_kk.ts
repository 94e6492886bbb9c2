<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="kk_KZ">
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Болдырмау</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Қайтару</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Қиып &amp;алу</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Көшіру</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Қ&amp;ою</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Жою</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Барлығын ерекшелеу</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Болдырмау</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Қайтару</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Қиып &amp;алу</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Көшіру</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Қ&amp;ою</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Жою</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Барлығын ерекшелеу</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Сілтеме &amp;адресін көшіру</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>Барлығын &amp;ерекшелеу</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>Бір қадам &amp;жоғары</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>Бір қадам &amp;төмен</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>Осы жерге айналдыру</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>Сол жақ шеті</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Жоғарғы шеті</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>Оң жақ шеті</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Төменгі шеті</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>Бір бет солға</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Бір бет жоғары</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>Бір бет оңға</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Бір бет төмен</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>Солға айналдыру</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Жоғары айналдыру</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>Оңға айналдыру</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Төмен айналдыру</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>Жарайды</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сақтау</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Барлығын сақтау</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ашу</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Иә</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>&amp;Барлығына иә</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Жоқ</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>Барлығына ж&amp;оқ</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Үзу</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Қайталау</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Елемеу</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Жабу</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Болдырмау</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Сақтамау</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Анықтама</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Қолдану</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Қалпына келтіру</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Әдепкі мәндерді қайтару</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Жарайды</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>Жарайды</translation>
    </message>
</context>
<context>
    <name>QComboBox</name>
    <message>
        <source>Open the combo box selection popup</source>
        <translation>Тізімді ашу</translation>
    </message>
</context>
<context>
    <name>QAccessibleActionInterface</name>
    <message>
        <source>Press</source>
        <translation>Басу</translation>
    </message>
    <message>
        <source>Triggers the action</source>
        <translation>Әрекетті орындайды</translation>
    </message>
    <message>
        <source>Increase</source>
        <translation>Арттыру</translation>
    </message>
    <message>
        <source>Increase the value</source>
        <translation>Мәнін арттырады</translation>
    </message>
    <message>
        <source>Decrease</source>
        <translation>Азайту</translation>
    </message>
    <message>
        <source>Decrease the value</source>
        <translation>Мәнін азайтады</translation>
    </message>
    <message>
        <source>ShowMenu</source>
        <translation>Мәзірді көрсету</translation>
    </message>
    <message>
        <source>Shows the menu</source>
        <translation>Мәзірді көрсетеді</translation>
    </message>
    <message>
        <source>SetFocus</source>
        <translation>Фокусқа алу</translation>
    </message>
    <message>
        <source>Sets the focus</source>
        <translation>Фокусқа алады</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>Ауыстыру</translation>
    </message>
    <message>
        <source>Toggles the state</source>
        <translation>Күйін ауыстырады</translation>
    </message>
    <message>
        <source>Scroll Left</source>
        <translation>Солға айналдыру</translation>
    </message>
    <message>
        <source>Scrolls to the left</source>
        <translation>Солға айналдырады</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>Оңға айналдыру</translation>
    </message>
    <message>
        <source>Scrolls to the right</source>
        <translation>Оңға айналдырады</translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation>Жоғары айналдыру</translation>
    </message>
    <message>
        <source>Scrolls up</source>
        <translation>Жоғары айналдырады</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>Төмен айналдыру</translation>
    </message>
    <message>
        <source>Scrolls down</source>
        <translation>Төмен айналдырады</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Алдыңғы бет</translation>
    </message>
    <message>
        <source>Goes back a page</source>
        <translation>Бір бет артқа өтеді</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Келесі бет</translation>
    </message>
    <message>
        <source>Goes to the next page</source>
        <translation>Келесі бетке өтеді</translation>
    </message>
</context>
<context>
    <name>QSpiAccessibleBridge</name>
    <message>
        <source>application</source>
        <translation>қолданба</translation>
    </message>
    <message>
        <source>frame</source>
        <translation>терезе</translation>
    </message>
    <message>
        <source>dialog</source>
        <translation>сұхбат терезесі</translation>
    </message>
    <message>
        <source>alert message</source>
        <translation>ескерту хабары</translation>
    </message>
    <message>
        <source>push button</source>
        <translation>батырма</translation>
    </message>
    <message>
        <source>text</source>
        <translation>мәтін</translation>
    </message>
    <message>
        <source>label</source>
        <translation>белгі</translation>
    </message>
    <message>
        <source>combo box</source>
        <translation>ашылмалы тізім</translation>
    </message>
    <message>
        <source>radio button</source>
        <translation>ауыстырып-қосқыш</translation>
    </message>
    <message>
        <source>check box</source>
        <translation>жалауша</translation>
    </message>
    <message>
        <source>panel</source>
        <translation>панель</translation>
    </message>
    <message>
        <source>filler</source>
        <translation>толтырғыш</translation>
    </message>
    <message>
        <source>table</source>
        <translation>кесте</translation>
    </message>
    <message>
        <source>cell</source>
        <translation>ұяшық</translation>
    </message>
    <message>
        <source>row</source>
        <translation>жол</translation>
    </message>
    <message>
        <source>column</source>
        <translation>баған</translation>
    </message>
    <message>
        <source>column header</source>
        <translation>баған тақырыбы</translation>
    </message>
    <message>
        <source>row header</source>
        <translation>жол тақырыбы</translation>
    </message>
    <message>
        <source>status bar</source>
        <translation>күй жолағы</translation>
    </message>
    <message>
        <source>notification</source>
        <translation>хабарлама</translation>
    </message>
    <message>
        <source>scroll bar</source>
        <translation>айналдыру жолағы</translation>
    </message>
    <message>
        <source>popup menu</source>
        <translation>қалқымалы мәзір</translation>
    </message>
    <message>
        <source>menu item</source>
        <translation>мәзір элементі</translation>
    </message>
    <message>
        <source>separator</source>
        <translation>бөлгіш</translation>
    </message>
    <message>
        <source>list</source>
        <translation>тізім</translation>
    </message>
    <message>
        <source>list item</source>
        <translation>тізім элементі</translation>
    </message>
    <message>
        <source>grip</source>
        <translation>өлшемін өзгерту тұтқасы</translation>
    </message>
    <message>
        <source>tool tip</source>
        <translation>қалқымалы кеңес</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>белгісіз</translation>
    </message>
    <message>
        <source>invalid role</source>
        <translation>жарамсыз рөл</translation>
    </message>
    <message>
        <source>title bar</source>
        <translation>тақырып жолағы</translation>
    </message>
    <message>
        <source>menu bar</source>
        <translation>мәзір жолағы</translation>
    </message>
    <message>
        <source>sound</source>
        <translation>дыбыс</translation>
    </message>
    <message>
        <source>cursor</source>
        <translation>меңзер</translation>
    </message>
    <message>
        <source>text caret</source>
        <translation>мәтін курсоры</translation>
    </message>
    <message>
        <source>document</source>
        <translation>құжат</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>диаграмма</translation>
    </message>
    <message>
        <source>tool bar</source>
        <translation>құралдар тақтасы</translation>
    </message>
    <message>
        <source>link</source>
        <translation>сілтеме</translation>
    </message>
    <message>
        <source>help balloon</source>
        <translation>анықтама көпіршігі</translation>
    </message>
    <message>
        <source>assistant</source>
        <translation>көмекші</translation>
    </message>
    <message>
        <source>tree</source>
        <translation>ағаш</translation>
    </message>
    <message>
        <source>tree item</source>
        <translation>ағаш элементі</translation>
    </message>
    <message>
        <source>page tab</source>
        <translation>бет қойындысы</translation>
    </message>
    <message>
        <source>property page</source>
        <translation>қасиеттер беті</translation>
    </message>
    <message>
        <source>indicator</source>
        <translation>индикатор</translation>
    </message>
    <message>
        <source>graphic</source>
        <translation>сурет</translation>
    </message>
    <message>
        <source>progress bar</source>
        <translation>орындалу жолағы</translation>
    </message>
    <message>
        <source>dial</source>
        <translation>айналмалы реттегіш</translation>
    </message>
    <message>
        <source>hotkey field</source>
        <translation>пернелер тіркесімі өрісі</translation>
    </message>
    <message>
        <source>slider</source>
        <translation>жүгірткі</translation>
    </message>
    <message>
        <source>spin box</source>
        <translation>санауыш</translation>
    </message>
    <message>
        <source>canvas</source>
        <translation>кенеп</translation>
    </message>
    <message>
        <source>animation</source>
        <translation>анимация</translation>
    </message>
    <message>
        <source>equation</source>
        <translation>теңдеу</translation>
    </message>
    <message>
        <source>button with drop down</source>
        <translation>ашылмалы батырма</translation>
    </message>
    <message>
        <source>button menu</source>
        <translation>мәзір батырмасы</translation>
    </message>
    <message>
        <source>button with drop down grid</source>
        <translation>ашылмалы торлы батырма</translation>
    </message>
    <message>
        <source>space</source>
        <translation>бос орын</translation>
    </message>
    <message>
        <source>page tab list</source>
        <translation>қойындылар тізімі</translation>
    </message>
    <message>
        <source>clock</source>
        <translation>сағат</translation>
    </message>
    <message>
        <source>splitter</source>
        <translation>бөлгіш сызық</translation>
    </message>
    <message>
        <source>layered pane</source>
        <translation>қабатты панель</translation>
    </message>
    <message>
        <source>web document</source>
        <translation>веб-құжат</translation>
    </message>
    <message>
        <source>paragraph</source>
        <translation>абзац</translation>
    </message>
    <message>
        <source>section</source>
        <translation>бөлім</translation>
    </message>
    <message>
        <source>color chooser</source>
        <translation>түс таңдағыш</translation>
    </message>
    <message>
        <source>footer</source>
        <translation>төменгі деректеме</translation>
    </message>
    <message>
        <source>form</source>
        <translation>пішін</translation>
    </message>
    <message>
        <source>heading</source>
        <translation>тақырып</translation>
    </message>
    <message>
        <source>note</source>
        <translation>ескертпе</translation>
    </message>
    <message>
        <source>complementary content</source>
        <translation>қосымша мазмұн</translation>
    </message>
    <message>
        <source>terminal</source>
        <translation>терминал</translation>
    </message>
    <message>
        <source>desktop</source>
        <translation>жұмыс үстелі</translation>
    </message>
    <message>
        <source>notification</source>
        <translation>хабарлама</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>File Folder</source>
        <comment>Match Windows Explorer</comment>
        <translation>Файлдар қалтасы</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Қалта</translation>
    </message>
    <message>
        <source>Alias</source>
        <comment>macOS Finder</comment>
        <translation>Сілтеме</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>Таңбаша</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Белгісіз</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>Қарау орны:</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Артқа</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Артқа өту</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Алға</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Алға өту</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Жоғарғы қалта</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Жоғарғы қалтаға өту</translation>
    </message>
    <message>
        <source>Alt+Up</source>
        <translation>Alt+Up</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Жаңа қалта жасау</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Жаңа қалта жасау</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Тізім түрінде</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Тізім түрінде көрсету</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Толық мәліметпен</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Толық мәліметпен көрсету</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Бүйірлік тақта</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Орындар мен бетбелгілер тізімі</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлдар</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Файл түрі:</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>Қалтаны табу</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ашу</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Басқаша сақтау</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Қалта:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>Файл &amp;аты:</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ашу</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Таңдау</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сақтау</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Көрсету </translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Атын өзгерту</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Жою</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>&amp;Жасырын файлдарды көрсету</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;Жаңа қалта</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Барлық файлдар (*)</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>Қалталар</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Қалта табылмады.
Қалтаның аты дұрыс берілгенін тексеріңіз.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 бар.
Оны ауыстыру керек пе?</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Файл табылмады.
Файлдың аты дұрыс берілгенін тексеріңіз.</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Жаңа қалта</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Жою</translation>
    </message>
    <message>
        <source>'%1' is write protected.
Do you want to delete it anyway?</source>
        <translation>«%1» жазудан қорғалған.
Сонда да жою керек пе?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete '%1'?</source>
        <translation>«%1» шынымен жойылсын ба?</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Қалта жойылмады.</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Соңғы орындар</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Алып тастау</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Барлық файлдар (*)</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Computer</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Менің компьютерім</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Аты</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Өлшемі</translation>
    </message>
    <message>
        <source>Kind</source>
        <comment>Match OS X Finder</comment>
        <translation>Түрі</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>Түрі</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Өзгертілген күні</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>Толығырақ...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>Толығырақты жасыру...</translation>
    </message>
</context>
</TS>
