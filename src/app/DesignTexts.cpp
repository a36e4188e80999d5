#include "app/DesignTexts.h"

#include <array>
#include <cstddef>

namespace lectora {

namespace {

// Main window: menus, Goto items, tool bar hints, the history lists' menu.
// Bible window: the popup menu. The design keeps some English captions.
// A radio group's items are rows named after the group, a dot and the
// item's index ("RadioGroup1.2").
constexpr std::array kTexts = {
    TDesignText{"Lectora2Form1", "File1", "&Open", ""},
    TDesignText{"Lectora2Form1", "Bible1", "Bible", ""},
    TDesignText{"Lectora2Form1", "ViewWindow1", "OnTopWindow", ""},
    TDesignText{"Lectora2Form1", "Dictionary1", "Dictionary", ""},
    TDesignText{"Lectora2Form1", "NoteBook1", "NoteBook", ""},
    TDesignText{"Lectora2Form1", "Picture1", "Picture", ""},
    TDesignText{"Lectora2Form1", "Exit1", "Exit", ""},
    TDesignText{"Lectora2Form1", "Goto1", "Goto", ""},
    TDesignText{"Lectora2Form1", "Previous1", "предишния отварян стих", ""},
    TDesignText{"Lectora2Form1", "Next1", "следващия отварян стих", ""},
    TDesignText{"Lectora2Form1", "First2", "първия стих на главата", ""},
    TDesignText{"Lectora2Form1", "Last2", "последния стих на главата", ""},
    TDesignText{"Lectora2Form1", "Random1", "случайно избран стих", ""},
    TDesignText{"Lectora2Form1", "First1", "първата глава на книгата", ""},
    TDesignText{"Lectora2Form1", "Last1", "последната глава от книгата", ""},
    TDesignText{"Lectora2Form1", "BookMark2", "отбелязаното място", ""},
    TDesignText{"Lectora2Form1", "GotoBookMark1", "Go to", ""},
    TDesignText{"Lectora2Form1", "GoBook", "", "Книга"},
    // The options dialog.
    TDesignText{"Options", "Options", "Опции", ""},
    TDesignText{"Options", "TabSheet1", "  Външен вид      ", ""},
    TDesignText{"Options", "TabSheet2", "  Други настройки  ", ""},
    TDesignText{"Options", "GroupBox1", "Да се показва:  ", ""},
    TDesignText{"Options", "CheckBox1", "Заглавието на книгата", ""},
    TDesignText{"Options", "CheckBox2", "в съкращение", ""},
    TDesignText{"Options", "CheckBox3", "Номерът на главата", ""},
    TDesignText{"Options", "CheckBox4", "Номерът на стиха", ""},
    TDesignText{"Options", "CheckBox10", "Бележките под линия", ""},
    TDesignText{"Options", "CheckBox12", "Откъси от стиховете", ""},
    TDesignText{"Options", "CheckBox5", "Подсказващи надписи", ""},
    TDesignText{"Options", "GroupBox2", "Цветове", ""},
    TDesignText{"Options", "Button1", "Активен стих", ""},
    TDesignText{"Options", "Button2", "Търсена дума", ""},
    TDesignText{"Options", "Button3", "Забележки", ""},
    TDesignText{"Options", "GroupBox3", "Шрифт", ""},
    TDesignText{"Options", "CheckBox7", "За всички прозорци", ""},
    TDesignText{"Options", "CheckBox13", "Allow charset", ""},
    TDesignText{"Options", "Button4", "Смени", ""},
    TDesignText{"Options", "Label1", "Език", ""},
    TDesignText{"Options", "CheckBox6", "Следене за стих в Clipboard", ""},
    TDesignText{"Options", "CheckBox8", "Музикален сигнал", ""},
    TDesignText{"Options", "CheckBox11", "Автоматично минимизиране", ""},
    TDesignText{"Options", "MyCheckBox1", "Проверка за нова версия", ""},
    TDesignText{"Options", "RadioGroup1", "Панелът за управление", ""},
    TDesignText{"Options", "RadioGroup1.Item0", "в ляво", ""},
    TDesignText{"Options", "RadioGroup1.Item1", "в дясно", ""},
    TDesignText{"Options", "GroupBox4", "Клавиатура", ""},
    TDesignText{"Options", "CheckBox9", "Самонастройване според езика", ""},
    TDesignText{"Options", "RadioGroup2", "Българската подредба е: ", ""},
    TDesignText{"Options", "RadioGroup2.Item0", "според БДС", ""},
    TDesignText{"Options", "RadioGroup2.Item1", "фонетична", ""},
    TDesignText{"Options", "Button5", "ДА", ""},
    TDesignText{"Options", "Button6", "&Отказ", ""},
    TDesignText{"Options", "Button7", "&Помощ", ""},
    TDesignText{"Lectora2Form1", "Range1", "Range", ""},
    TDesignText{"Lectora2Form1", "Options1", "Options", ""},
    TDesignText{"Lectora2Form1", "Windows1", "Window", ""},
    TDesignText{"Lectora2Form1", "Tile2", "Нареди хоризонтално", ""},
    TDesignText{"Lectora2Form1", "Tile3", "Нареди вертикално", ""},
    TDesignText{"Lectora2Form1", "CloseAll1", "Затвори всички", ""},
    TDesignText{"Lectora2Form1", "Help1", "Help", ""},
    TDesignText{"Lectora2Form1", "ThisProgram1", "за програмата", ""},
    TDesignText{"Lectora2Form1", "ThisBible1", "за Библията", ""},
    TDesignText{"Lectora2Form1", "WebSite1", "Страница в Internet", ""},
    TDesignText{"Lectora2Form1", "EMail1", "Контакт с автора", ""},
    TDesignText{"Lectora2Form1", "CheckNew1", "CheckNew", ""},
    TDesignText{"Lectora2Form1", "Logo1", "Сигнал", ""},
    TDesignText{"Lectora2Form1", "ToolBar1", "", "Навигация"},
    TDesignText{"Lectora2Form1", "ToolButton1", "", "Отваряне"},
    TDesignText{"Lectora2Form1", "ToolButton2", "", "Стронг номера"},
    TDesignText{"Lectora2Form1", "ToolButton3", "", "Предишн стих"},
    TDesignText{"Lectora2Form1", "ToolButton4", "", "Следващ стих"},
    TDesignText{"Lectora2Form1", "ToolButton6", "Копиране", "Копиране"},
    TDesignText{"Lectora2Form1", "ToolButton11", "", "Бележки под линия"},
    TDesignText{"Lectora2Form1", "ToolButton12", "", "Панел"},
    TDesignText{"Lectora2Form1", "ToolButton15", "", "Препратки"},
    TDesignText{"Lectora2Form1", "ToolButton19", "", "Следене на клипборда"},
    TDesignText{"Lectora2Form1", "ToolButton8", "", "Auto minimize"},
    TDesignText{"Lectora2Form1", "ToolButton20", "", "Четене на глас"},
    TDesignText{"Lectora2Form1", "BookBox", "", "Книга"},
    TDesignText{"Lectora2Form1", "SpinEdit1", "", "Глава на книгата"},
    TDesignText{"Lectora2Form1", "SpinEdit2", "", "Номер на стиха"},
    TDesignText{"Lectora2Form1", "DblButton1", "", "Първа или последна глава"},
    TDesignText{"Lectora2Form1", "DblButton2", "", "Първи или последен стих"},
    TDesignText{"Lectora2Form1", "DblButton3", "", "Стар или Нов завет"},
    TDesignText{"Lectora2Form1", "HistoryBox", "", "Отваряни стихове"},
    TDesignText{"Lectora2Form1", "LargeListBox1", "", "Думи"},
    TDesignText{"Lectora2Form1", "ListBox2", "", "Стихове"},
    TDesignText{"Lectora2Form1", "StatusLabel", "", "Място"},
    TDesignText{"Lectora2Form1", "SortByText", "По азбучен ред", ""},
    TDesignText{"Lectora2Form1", "SortByTime", "По време", ""},
    TDesignText{"Lectora2Form1", "SortByPlace", "По място в Библията", ""},
    TDesignText{"Lectora2Form1", "DeleteItem", "Изтриване", ""},
    TDesignText{"Lectora2Form1", "CountItems", "Брой", ""},
    TDesignText{"Lectora2Form1", "CM1", "Списъкът съдържа", ""},
    TDesignText{"Lectora2Form1", "CM2", "елемента.", ""},
    TDesignText{"MsgForm1", "Button1", "ДА", ""},
    TDesignText{"MsgForm1", "Button2", "НЕ", ""},
    TDesignText{"CDDriveForm1", "Label1",
                "Компакт дискът с необходимите файлове не се намира в дисковото устройство. "
                "Сложете го или посочете друго устройство, където се намира.",
                ""},
    TDesignText{"CDDriveForm1", "Button1", "OK", ""},
    TDesignText{"CDDriveForm1", "Button2", "Отказ", ""},
    TDesignText{"ListMessageForm1", "Label1",
                "Това съобщение се появява, когато броя на елементите в списъка надвиши:", ""},
    TDesignText{"RangeForm1", "RangeForm1", "Област за търсене", ""},
    TDesignText{"RangeForm1", "CheckListBox1", "", "Книги"},
    TDesignText{"RangeForm1", "RadioGroup1", "", "Бърз избор"},
    TDesignText{"RangeForm1", "RadioGroup1.0", "Всички книги", ""},
    TDesignText{"RangeForm1", "RadioGroup1.1", "Стария завет", ""},
    TDesignText{"RangeForm1", "RadioGroup1.2", "Новия завет", ""},
    TDesignText{"RangeForm1", "RadioGroup1.3", "Избрани книги", ""},
    TDesignText{"RangeForm1", "Button3", "&Чисти", ""},
    TDesignText{"RangeForm1", "Button1", "ДА", ""},
    TDesignText{"RangeForm1", "Button2", "&Отказ", ""},
    TDesignText{"RangeForm1", "Button4", "&Помощ", ""},
    TDesignText{"HelpForm1", "HelpForm1", "Помощ", ""},
    TDesignText{"HelpForm1", "HelpBrowser", "", "Текст на помощта"},
    TDesignText{"HelpForm1", "BackButton", "Назад", "Предишната страница"},
    TDesignText{"HelpForm1", "ForwardButton", "Напред", "Следващата страница"},
    TDesignText{"HelpForm1", "ContentsButton", "Съдържание", "Съдържанието на помощта"},
    TDesignText{"BibleForm1", "Copy1", "Copy", ""},
    TDesignText{"BibleForm1", "Translate1", "Dictionary", ""},
    TDesignText{"BibleForm1", "Navigate1", "Bible", ""},
    TDesignText{"BibleForm1", "Find1", "Concordans", ""},
    TDesignText{"BibleForm1", "Picture1", "Picture", ""},
    TDesignText{"BibleForm1", "ActivateVerse1", "Активирай стиха", ""},
    TDesignText{"BibleForm1", "SelektVerse1", "Маркирай стиха", ""},
    TDesignText{"BibleForm1", "SelectAll1", "Маркирай всичко", ""},
    TDesignText{"BibleForm1", "AddBookmark1", "Отбележи мястото", ""},
    TDesignText{"BibleForm1", "DeleteBookmark1", "Махни отбелязването", ""},
};

}  // namespace

const TDesignText* DesignTexts(std::size_t& count) {
  count = kTexts.size();
  return kTexts.data();
}

const TDesignText* FindDesignText(std::string_view form, std::string_view name) {
  for (const TDesignText& text : kTexts) {
    if (text.Form == form && text.Name == name) return &text;
  }
  return nullptr;
}

}  // namespace lectora
