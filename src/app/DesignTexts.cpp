#include "app/DesignTexts.h"

#include <array>
#include <cstddef>

namespace lectora {

namespace {

// Main window: menus, Goto items, tool bar hints, the history lists' menu.
// Bible window: the popup menu. The design keeps some English captions.
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
    TDesignText{"Lectora2Form1", "Range1", "Range", ""},
    TDesignText{"Lectora2Form1", "Options1", "Options", ""},
    TDesignText{"Lectora2Form1", "Windows1", "Window", ""},
    TDesignText{"Lectora2Form1", "Tile2", "Нареди хоризонтално", ""},
    TDesignText{"Lectora2Form1", "Tile3", "Нареди вертикално", ""},
    TDesignText{"Lectora2Form1", "CloseAll1", "Затвори всички", ""},
    TDesignText{"Lectora2Form1", "Help1", "Help", ""},
    TDesignText{"Lectora2Form1", "ToolBar1", "", "Навигация"},
    TDesignText{"Lectora2Form1", "ToolButton1", "", "Отваряне"},
    TDesignText{"Lectora2Form1", "ToolButton2", "", "Стронг номера"},
    TDesignText{"Lectora2Form1", "ToolButton3", "", "Предишн стих"},
    TDesignText{"Lectora2Form1", "ToolButton4", "", "Следващ стих"},
    TDesignText{"Lectora2Form1", "ToolButton6", "Копиране", "Копиране"},
    TDesignText{"Lectora2Form1", "ToolButton11", "", "Бележки под линия"},
    TDesignText{"Lectora2Form1", "ToolButton12", "", "Панел"},
    TDesignText{"Lectora2Form1", "ToolButton15", "", "Препратки"},
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
    // The search panel.
    TDesignText{"Lectora2Form1", "PageControl1", "", "Търсене и връзки"},
    TDesignText{"Lectora2Form1", "TabSheet1", "Търсене", ""},
    TDesignText{"Lectora2Form1", "TabSheet2", "Връзки", ""},
    TDesignText{"Lectora2Form1", "BitBtn1", "", "Затваряне на панела"},
    TDesignText{"Lectora2Form1", "ComboBox2", "", "Ред на думите"},
    TDesignText{"Lectora2Form1", "Order0", "без ред", ""},
    TDesignText{"Lectora2Form1", "Order1", "в този ред", ""},
    TDesignText{"Lectora2Form1", "Order2", "като фраза", ""},
    TDesignText{"Lectora2Form1", "Button1", "Paste", ""},
    TDesignText{"Lectora2Form1", "Label1", "", "Списък"},
    TDesignText{"Lectora2Form1", "Copy1", "CopyList", ""},
    TDesignText{"Lectora2Form1", "Copy2", "CopyAll", ""},
    TDesignText{"Lectora2Form1", "Copy3", "CopyMarked", ""},
    TDesignText{"Lectora2Form1", "Copy4", "Copy", ""},
    TDesignText{"Lectora2Form1", "Dictionary2", "Dictionary", ""},
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
