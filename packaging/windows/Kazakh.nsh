;Language: Kazakh (1087)
;Lexaran's own Kazakh Modern UI strings; NSIS 3.08 ships none. Pair: Kazakh.nlf here.
;Loaded from this folder, not from ${NSISDIR}, after the MUI_PAGE_*/MUI_UNPAGE_* lines:
;  !insertmacro MUI_LANGUAGEEX "<path to packaging\windows>" "Kazakh"
;MUI_LANGUAGEEX runs LoadLanguageFile on <dir>\Kazakh.nlf and includes <dir>\Kazakh.nsh
;(English.nsh fills any string missing here, with a warning). Defines ${LANG_KAZAKH} = 1087.

!insertmacro LANGFILE "Kazakh" = "Қазақша" "Qazaqsha"

!ifdef MUI_WELCOMEPAGE
  ${LangFileString} MUI_TEXT_WELCOME_INFO_TITLE "$(^NameDA) орнату бағдарламасына қош келдіңіз"
  ${LangFileString} MUI_TEXT_WELCOME_INFO_TEXT "Орнату бағдарламасы $(^NameDA) бағдарламасын орнату барысында сізге жол көрсетеді.$\r$\n$\r$\nОрнатуды бастамас бұрын басқа бағдарламалардың барлығын жабу ұсынылады. Сонда орнату бағдарламасы қажетті жүйелік файлдарды компьютерді қайта іске қоспай-ақ жаңарта алады.$\r$\n$\r$\n$_CLICK"
!endif

!ifdef MUI_UNWELCOMEPAGE
  ${LangFileString} MUI_UNTEXT_WELCOME_INFO_TITLE "$(^NameDA) жою бағдарламасына қош келдіңіз"
  ${LangFileString} MUI_UNTEXT_WELCOME_INFO_TEXT "Орнату бағдарламасы $(^NameDA) бағдарламасын жою барысында сізге жол көрсетеді.$\r$\n$\r$\nЖоюды бастамас бұрын $(^NameDA) бағдарламасы іске қосылмағанына көз жеткізіңіз.$\r$\n$\r$\n$_CLICK"
!endif

!ifdef MUI_LICENSEPAGE
  ${LangFileString} MUI_TEXT_LICENSE_TITLE "Лицензиялық келісім"
  ${LangFileString} MUI_TEXT_LICENSE_SUBTITLE "$(^NameDA) бағдарламасын орнатпас бұрын лицензия шарттарымен танысып шығыңыз."
  ${LangFileString} MUI_INNERTEXT_LICENSE_BOTTOM "Келісімнің шарттарын қабылдасаңыз, жалғастыру үшін «Қабылдаймын» батырмасын басыңыз. $(^NameDA) бағдарламасын орнату үшін келісімді қабылдауыңыз қажет."
  ${LangFileString} MUI_INNERTEXT_LICENSE_BOTTOM_CHECKBOX "Келісімнің шарттарын қабылдасаңыз, төмендегі құсбелгіні қойыңыз. $(^NameDA) бағдарламасын орнату үшін келісімді қабылдауыңыз қажет. $_CLICK"
  ${LangFileString} MUI_INNERTEXT_LICENSE_BOTTOM_RADIOBUTTONS "Келісімнің шарттарын қабылдасаңыз, төмендегі бірінші нұсқаны таңдаңыз. $(^NameDA) бағдарламасын орнату үшін келісімді қабылдауыңыз қажет. $_CLICK"
!endif

!ifdef MUI_UNLICENSEPAGE
  ${LangFileString} MUI_UNTEXT_LICENSE_TITLE "Лицензиялық келісім"
  ${LangFileString} MUI_UNTEXT_LICENSE_SUBTITLE "$(^NameDA) бағдарламасын жоймас бұрын лицензия шарттарымен танысып шығыңыз."
  ${LangFileString} MUI_UNINNERTEXT_LICENSE_BOTTOM "Келісімнің шарттарын қабылдасаңыз, жалғастыру үшін «Қабылдаймын» батырмасын басыңыз. $(^NameDA) бағдарламасын жою үшін келісімді қабылдауыңыз қажет."
  ${LangFileString} MUI_UNINNERTEXT_LICENSE_BOTTOM_CHECKBOX "Келісімнің шарттарын қабылдасаңыз, төмендегі құсбелгіні қойыңыз. $(^NameDA) бағдарламасын жою үшін келісімді қабылдауыңыз қажет. $_CLICK"
  ${LangFileString} MUI_UNINNERTEXT_LICENSE_BOTTOM_RADIOBUTTONS "Келісімнің шарттарын қабылдасаңыз, төмендегі бірінші нұсқаны таңдаңыз. $(^NameDA) бағдарламасын жою үшін келісімді қабылдауыңыз қажет. $_CLICK"
!endif

!ifdef MUI_LICENSEPAGE | MUI_UNLICENSEPAGE
  ${LangFileString} MUI_INNERTEXT_LICENSE_TOP "Келісімнің қалған бөлігін көру үшін Page Down пернесін басыңыз."
!endif

!ifdef MUI_COMPONENTSPAGE
  ${LangFileString} MUI_TEXT_COMPONENTS_TITLE "Құрамдас бөліктерді таңдау"
  ${LangFileString} MUI_TEXT_COMPONENTS_SUBTITLE "$(^NameDA) бағдарламасының қай мүмкіндіктерін орнату керектігін таңдаңыз."
!endif

!ifdef MUI_UNCOMPONENTSPAGE
  ${LangFileString} MUI_UNTEXT_COMPONENTS_TITLE "Құрамдас бөліктерді таңдау"
  ${LangFileString} MUI_UNTEXT_COMPONENTS_SUBTITLE "$(^NameDA) бағдарламасының қай мүмкіндіктерін жою керектігін таңдаңыз."
!endif

!ifdef MUI_COMPONENTSPAGE | MUI_UNCOMPONENTSPAGE
  ${LangFileString} MUI_INNERTEXT_COMPONENTS_DESCRIPTION_TITLE "Сипаттама"
  !ifndef NSIS_CONFIG_COMPONENTPAGE_ALTERNATIVE
    ${LangFileString} MUI_INNERTEXT_COMPONENTS_DESCRIPTION_INFO "Құрамдас бөліктің сипаттамасын көру үшін тінтуір меңзерін оның үстіне апарыңыз."
  !else
    ${LangFileString} MUI_INNERTEXT_COMPONENTS_DESCRIPTION_INFO "Сипаттамасын көру үшін құрамдас бөлікті таңдаңыз."
  !endif
!endif

!ifdef MUI_DIRECTORYPAGE
  ${LangFileString} MUI_TEXT_DIRECTORY_TITLE "Орнату қалтасын таңдау"
  ${LangFileString} MUI_TEXT_DIRECTORY_SUBTITLE "$(^NameDA) бағдарламасын орнататын қалтаны таңдаңыз."
!endif

!ifdef MUI_UNDIRECTORYPAGE
  ${LangFileString} MUI_UNTEXT_DIRECTORY_TITLE "Жою қалтасын таңдау"
  ${LangFileString} MUI_UNTEXT_DIRECTORY_SUBTITLE "$(^NameDA) бағдарламасы жойылатын қалтаны таңдаңыз."
!endif

!ifdef MUI_INSTFILESPAGE
  ${LangFileString} MUI_TEXT_INSTALLING_TITLE "Орнатылуда"
  ${LangFileString} MUI_TEXT_INSTALLING_SUBTITLE "$(^NameDA) бағдарламасы орнатылып жатыр, күте тұрыңыз."
  ${LangFileString} MUI_TEXT_FINISH_TITLE "Орнату аяқталды"
  ${LangFileString} MUI_TEXT_FINISH_SUBTITLE "Орнату сәтті аяқталды."
  ${LangFileString} MUI_TEXT_ABORT_TITLE "Орнату тоқтатылды"
  ${LangFileString} MUI_TEXT_ABORT_SUBTITLE "Орнату сәтті аяқталмады."
!endif

!ifdef MUI_UNINSTFILESPAGE
  ${LangFileString} MUI_UNTEXT_UNINSTALLING_TITLE "Жойылуда"
  ${LangFileString} MUI_UNTEXT_UNINSTALLING_SUBTITLE "$(^NameDA) бағдарламасы жойылып жатыр, күте тұрыңыз."
  ${LangFileString} MUI_UNTEXT_FINISH_TITLE "Жою аяқталды"
  ${LangFileString} MUI_UNTEXT_FINISH_SUBTITLE "Жою сәтті аяқталды."
  ${LangFileString} MUI_UNTEXT_ABORT_TITLE "Жою тоқтатылды"
  ${LangFileString} MUI_UNTEXT_ABORT_SUBTITLE "Жою сәтті аяқталмады."
!endif

!ifdef MUI_FINISHPAGE
  ${LangFileString} MUI_TEXT_FINISH_INFO_TITLE "$(^NameDA) орнату бағдарламасының жұмысы аяқталуда"
  ${LangFileString} MUI_TEXT_FINISH_INFO_TEXT "$(^NameDA) бағдарламасы компьютеріңізге орнатылды.$\r$\n$\r$\nОрнату бағдарламасын жабу үшін «Аяқтау» батырмасын басыңыз."
  ${LangFileString} MUI_TEXT_FINISH_INFO_REBOOT "$(^NameDA) бағдарламасын орнатуды аяқтау үшін компьютерді қайта іске қосу керек. Қазір қайта іске қосасыз ба?"
!endif

!ifdef MUI_UNFINISHPAGE
  ${LangFileString} MUI_UNTEXT_FINISH_INFO_TITLE "$(^NameDA) жою бағдарламасының жұмысы аяқталуда"
  ${LangFileString} MUI_UNTEXT_FINISH_INFO_TEXT "$(^NameDA) бағдарламасы компьютеріңізден жойылды.$\r$\n$\r$\nОрнату бағдарламасын жабу үшін «Аяқтау» батырмасын басыңыз."
  ${LangFileString} MUI_UNTEXT_FINISH_INFO_REBOOT "$(^NameDA) бағдарламасын жоюды аяқтау үшін компьютерді қайта іске қосу керек. Қазір қайта іске қосасыз ба?"
!endif

!ifdef MUI_FINISHPAGE | MUI_UNFINISHPAGE
  ${LangFileString} MUI_TEXT_FINISH_REBOOTNOW "Қазір қайта іске қосу"
  ${LangFileString} MUI_TEXT_FINISH_REBOOTLATER "Кейінірек өзім қайта іске қосамын"
  ${LangFileString} MUI_TEXT_FINISH_RUN "$(^NameDA) бағдарламасын &іске қосу"
  ${LangFileString} MUI_TEXT_FINISH_SHOWREADME "Readme файлын &көрсету"
  ${LangFileString} MUI_BUTTONTEXT_FINISH "&Аяқтау"
!endif

!ifdef MUI_STARTMENUPAGE
  ${LangFileString} MUI_TEXT_STARTMENU_TITLE "«Бастау» мәзіріндегі қалтаны таңдау"
  ${LangFileString} MUI_TEXT_STARTMENU_SUBTITLE "$(^NameDA) таңбашалары үшін «Бастау» мәзіріндегі қалтаны таңдаңыз."
  ${LangFileString} MUI_INNERTEXT_STARTMENU_TOP "Бағдарлама таңбашалары жасалатын «Бастау» мәзіріндегі қалтаны таңдаңыз. Жаңа қалта жасау үшін оның атын енгізуге де болады."
  ${LangFileString} MUI_INNERTEXT_STARTMENU_CHECKBOX "Таңбашаларды жасамау"
!endif

!ifdef MUI_UNCONFIRMPAGE
  ${LangFileString} MUI_UNTEXT_CONFIRM_TITLE "$(^NameDA) бағдарламасын жою"
  ${LangFileString} MUI_UNTEXT_CONFIRM_SUBTITLE "$(^NameDA) бағдарламасын компьютеріңізден жою."
!endif

!ifdef MUI_ABORTWARNING
  ${LangFileString} MUI_TEXT_ABORTWARNING "$(^Name) орнату бағдарламасынан шығуды қалайтыныңызға сенімдісіз бе?"
!endif

!ifdef MUI_UNABORTWARNING
  ${LangFileString} MUI_UNTEXT_ABORTWARNING "$(^Name) жою бағдарламасынан шығуды қалайтыныңызға сенімдісіз бе?"
!endif

!ifdef MULTIUSER_INSTALLMODEPAGE
  ${LangFileString} MULTIUSER_TEXT_INSTALLMODE_TITLE "Пайдаланушыларды таңдау"
  ${LangFileString} MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "$(^NameDA) бағдарламасын қай пайдаланушылар үшін орнату керектігін таңдаңыз."
  ${LangFileString} MULTIUSER_INNERTEXT_INSTALLMODE_TOP "$(^NameDA) бағдарламасын тек өзіңіз үшін немесе осы компьютердің барлық пайдаланушылары үшін орнату керектігін таңдаңыз. $(^ClickNext)"
  ${LangFileString} MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "Осы компьютердің барлық пайдаланушылары үшін орнату"
  ${LangFileString} MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Тек өзім үшін орнату"
!endif
