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
</context>
</TS>
