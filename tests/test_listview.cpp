// The list view functions through the stand-in host: real report-view list
// views for what a user sees, spy windows for the exact message contract.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../listview/paint_colors.h"
#include "check.h"
#include "host/standin_host.h"

namespace {

HWND Parent;

HWND NewList(DWORD extended = 0, int height = 300) {
    HWND list = host::CreateChild(Parent, "SysListView32", LVS_REPORT | LVS_SHOWSELALWAYS | WS_VISIBLE, 10, 10,
                                  460, height, 101);
    if (extended) SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    return list;
}

void AddColumns(HWND list, int count) {
    for (int j = 0; j < count; ++j) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>("Heading");
        SendMessageA(list, LVM_INSERTCOLUMNA, j, reinterpret_cast<LPARAM>(&column));
    }
}

int Append(HWND list, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = INT_MAX;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void AppendRows(HWND list, std::initializer_list<const char*> texts) {
    for (const char* text : texts) Append(list, text);
}

void SetCell(HWND list, int item, int column, const std::string& text) {
    LVITEMA record{};
    record.iSubItem = column;
    record.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&record));
}

std::string Cell(HWND list, int item, int column) {
    static char text[4096];
    text[0] = '\0';
    LVITEMA record{};
    record.iSubItem = column;
    record.pszText = text;
    record.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&record));
    return record.pszText;
}

// The items' own texts, joined by commas.
std::string Rows(HWND list) {
    std::string rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) rows += (i ? "," : "") + Cell(list, i, 0);
    return rows;
}

void Select(HWND list, int item) {
    LVITEMA record{};
    record.stateMask = LVIS_SELECTED;
    record.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&record));
}

int Image(HWND list, int item, int column) {
    LVITEMA record{};
    record.mask = LVIF_IMAGE;
    record.iItem = item;
    record.iSubItem = column;
    record.iImage = 12345;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
    return record.iImage;
}

int Top(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)); }

WPARAM Index(int i) { return static_cast<WPARAM>(static_cast<INT_PTR>(i)); }

// A list of five rows A..E with a second column.
HWND FiveRows() {
    HWND list = NewList();
    AddColumns(list, 2);
    AppendRows(list, {"A", "B", "C", "D", "E"});
    return list;
}

void Counting() {
    HWND list = FiveRows();
    CHECK_EQ(host::Int("lvGetItemCount", {list}), 5);
    CHECK_EQ(host::Int("lvGetItemCountSel", {list}), 0);
    Select(list, 1);
    Select(list, 3);
    CHECK_EQ(host::Int("lvGetItemCountSel", {list}), 2);
    CHECK_EQ(host::Int("lvGetItemCount", {0}), 0);
    DestroyWindow(list);
}

// One deletion on a fresh list of A..E: result, rows left, boxes shown.
struct Deletion {
    int index, scope;
    std::vector<int> selected;
    int result;
    const char* rows;
    const char* box;  // "" for none
};

void DeleteItems() {
    const std::string kNote = "Note: ";
    const Deletion cases[] = {
        {1, 0, {}, 4, "B,C,D,E", ""},
        {0, 0, {}, 4, "B,C,D,E", ""},   // index 0 is the first item
        {-1, 0, {}, 4, "A,B,C,D", ""},  // counted from the end
        {-2, 0, {}, 4, "A,B,C,E", ""},
        {-5, 0, {}, 4, "B,C,D,E", ""},
        {3, 7, {}, 4, "A,B,D,E", ""},   // every scope of 0 or more names one item
        {5, 0, {}, 4, "A,B,C,D", ""},
        {-9, 0, {}, 5, "A,B,C,D,E", ""},  // still below 1: the control refuses
        {-1, 7, {}, 5, "A,B,C,D,E", ""},  // counting from the end is for scope 0 only
        {1, -1, {}, 0, "", ""},
        {6, -1, {}, 5, "A,B,C,D,E", "Index is greater than number of items in ListView"},
        {1, -2, {1, 3}, 3, "A,C,E", ""},
        {1, -2, {0, 1, 2, 3, 4}, 0, "", ""},
        {1, -3, {1, 3}, 2, "B,D", ""},
        {1, -3, {0, 1, 2, 3, 4}, 5, "A,B,C,D,E", ""},
        {1, -2, {}, 5, "A,B,C,D,E", "A Scope of -2 indicated but no Items selected for deletion"},
        {1, -3, {}, 5, "A,B,C,D,E", "A Scope of -3 indicated but no Items selected"},
        {2, -4, {1}, 5, "A,B,C,D,E", "Invalid Scope value"},
        // The first failed check is the one shown.
        {9, -2, {}, 5, "A,B,C,D,E", "A Scope of -2 indicated but no Items selected for deletion"},
        {9, -3, {}, 5, "A,B,C,D,E", "A Scope of -3 indicated but no Items selected"},
        {9, -4, {1}, 5, "A,B,C,D,E", "Index is greater than number of items in ListView"},
        {9, -2, {1}, 5, "A,B,C,D,E", "Index is greater than number of items in ListView"},
    };
    for (const Deletion& c : cases) {
        HWND list = FiveRows();
        for (int i : c.selected) Select(list, i);
        host::TakeMessageBoxes();
        const std::string context = "index " + std::to_string(c.index) + " scope " + std::to_string(c.scope);
        check::Totals().group = context.c_str();
        CHECK_EQ(host::Int("lvDeleteItem", {list, c.index, c.scope}), c.result);
        CHECK_EQ(Rows(list), c.rows);
        std::vector<std::string> boxes = host::TakeMessageBoxes();
        if (*c.box) {
            CHECK_EQ(boxes.size(), 1u);
            if (!boxes.empty()) CHECK_EQ(boxes[0], kNote + c.box);
        } else {
            CHECK_EQ(boxes.size(), 0u);
        }
        DestroyWindow(list);
    }
    check::Totals().group = "lvDeleteItem";

    // The box is the plain note the host window owns.
    HWND list = FiveRows();
    host::MessageBoxes().clear();
    host::Int("lvDeleteItem", {list, 1, -5});
    CHECK_EQ(host::MessageBoxes().size(), 1u);
    if (!host::MessageBoxes().empty()) {
        const host::MessageBoxSeen& box = host::MessageBoxes()[0];
        CHECK(box.owner == host::Current().owner);
        CHECK_EQ(box.style, static_cast<UINT>(MB_OK));
        CHECK_EQ(box.dialogCaption, "Note");
        CHECK_EQ(box.dialogText, "Invalid Scope value");
    }
    host::TakeMessageBoxes();
    DestroyWindow(list);

    // The exact requests: counts first, then the walk from the end.
    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = [](UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m == LVM_GETSELECTEDCOUNT) r = 2;
        else if (m == LVM_GETITEMCOUNT) r = 3;
        else if (m == LVM_GETITEMSTATE) r = w == 1 ? LVIS_SELECTED : 0;
        else if (m == LVM_DELETEITEM || m == LVM_DELETEALLITEMS) r = 1;
        else return false;
        return true;
    };
    CHECK_EQ(host::Int("lvDeleteItem", {spy.window, 1, -2}), 3);
    OK_SEQUENCE(spy,
                {{LVM_GETSELECTEDCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMSTATE, host::kBoth, 2, LVIS_SELECTED},
                 {LVM_GETITEMSTATE, host::kBoth, 1, LVIS_SELECTED},
                 {LVM_DELETEITEM, host::kBoth, 1, 0},
                 {LVM_GETITEMSTATE, host::kBoth, 0, LVIS_SELECTED},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0}},
                "scope -2");
    host::Int("lvDeleteItem", {spy.window, 1, -3});
    OK_SEQUENCE(spy,
                {{LVM_GETSELECTEDCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMSTATE, host::kBoth, 2, LVIS_SELECTED},
                 {LVM_DELETEITEM, host::kBoth, 2, 0},
                 {LVM_GETITEMSTATE, host::kBoth, 1, LVIS_SELECTED},
                 {LVM_GETITEMSTATE, host::kBoth, 0, LVIS_SELECTED},
                 {LVM_DELETEITEM, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0}},
                "scope -3");
    host::Int("lvDeleteItem", {spy.window, -1, 0});
    OK_SEQUENCE(spy,
                {{LVM_GETSELECTEDCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0},
                 {LVM_DELETEITEM, host::kBoth, 2, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0}},
                "scope 0, last item");
    host::Int("lvDeleteItem", {spy.window, -9, 0});
    OK_SEQUENCE(spy,
                {{LVM_GETSELECTEDCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0},
                 {LVM_DELETEITEM, host::kBoth, Index(-6), 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0}},
                "scope 0, before the first item");
    host::Int("lvDeleteItem", {spy.window, 2, -1});
    OK_SEQUENCE(spy,
                {{LVM_GETSELECTEDCOUNT, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0},
                 {LVM_DELETEALLITEMS, host::kBoth, 0, 0},
                 {LVM_GETITEMCOUNT, host::kBoth, 0, 0}},
                "scope -1");
    host::Int("lvDeleteItem", {spy.window, 4, -1});
    OK_SEQUENCE(spy, {{LVM_GETSELECTEDCOUNT, host::kBoth, 0, 0}, {LVM_GETITEMCOUNT, host::kBoth, 0, 0}},
                "refused: nothing deleted");
    CHECK_EQ(host::TakeMessageBoxes().size(), 1u);
    host::DestroySpy(spy);
}

// What the text spy saw of each LVM_GETITEMTEXTA request.
struct TextRequest {
    WPARAM item;
    UINT mask;
    int iItem, iSubItem, cchTextMax;
    char firstByte;  // of the offered buffer: cleared before each request
};
std::vector<TextRequest> TextRequests;

void ItemTexts() {
    HWND list = NewList();
    AddColumns(list, 3);
    AppendRows(list, {"one", "two"});
    SetCell(list, 0, 1, "eins");
    SetCell(list, 0, 2, "un");
    SetCell(list, 1, 2, "deux");  // middle cell of row 2 stays empty
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 1}), "one");
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 3}), "un");
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 0}), "one\teins\tun");
    CHECK_EQ(host::Text("lvGetItemText", {list, 2, 0}), "two\t\tdeux");
    // Missing items and sub-items read as empty, never as the text before.
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 1}), "one");
    CHECK_EQ(host::Text("lvGetItemText", {list, 9, 1}), "");
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 2}), "eins");
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 7}), "");
    CHECK_EQ(host::Text("lvGetItemText", {list, 0, 1}), "");
    CHECK_EQ(host::Text("lvGetItemText", {list, 9, 0}), "\t\t");
    CHECK_EQ(host::Text("lvGetItemText", {0, 1, 1}), "");
    CHECK_EQ(host::Text("lvGetItemText", {0, 1, 0}), "");

    // A long cell gives its first 1023 characters.
    SetCell(list, 1, 1, std::string(1500, 'x'));
    CHECK_EQ(host::Text("lvGetItemText", {list, 2, 2}), std::string(1023, 'x'));
    SetCell(list, 1, 1, std::string(1024, 'y'));
    CHECK_EQ(host::Text("lvGetItemText", {list, 2, 0}), "two\t" + std::string(1023, 'y') + "\tdeux");
    DestroyWindow(list);

    // A header without columns.
    list = NewList();
    AppendRows(list, {"lonely"});
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 0}), "");
    DestroyWindow(list);

    // A row longer than the list result stops after its last whole cell.
    list = NewList();
    AddColumns(list, 45);
    Append(list, std::string(1023, 'a'));
    std::string expected = std::string(1023, 'a');
    for (int j = 1; j < 45; ++j) {
        const std::string cell(1023, static_cast<char>('a' + j % 26));
        SetCell(list, 0, j, cell);
        if (j < 40) expected += "\t" + cell;
    }
    const std::string joined = host::Text("lvGetItemText", {list, 1, 0});
    CHECK_EQ(joined.size(), 40959u);
    CHECK(joined == expected);
    DestroyWindow(list);

    // The exact requests, and a control that answers with storage of its own.
    host::Spy& header = host::CreateSpy(Parent);
    header.answer = [](UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != HDM_GETITEMCOUNT) return false;
        r = 3;
        return true;
    };
    static HWND headerWindow;
    headerWindow = header.window;
    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = [](UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        if (m == LVM_GETHEADER) {
            r = reinterpret_cast<LRESULT>(headerWindow);
            return true;
        }
        if (m != LVM_GETITEMTEXTA) return false;
        auto* record = reinterpret_cast<LVITEMA*>(l);
        TextRequests.push_back(TextRequest{w, record->mask, record->iItem, record->iSubItem, record->cchTextMax,
                                           record->pszText[0]});
        static char own[] = "own";
        if (record->iSubItem == 0) lstrcpyA(record->pszText, "a");
        if (record->iSubItem == 1) memset(record->pszText, 'z', 1024);  // unterminated
        if (record->iSubItem == 2) record->pszText = own;
        r = 1;
        return true;
    };
    TextRequests.clear();
    const std::string text = host::Text("lvGetItemText", {spy.window, 5, 0});
    CHECK_EQ(text, "a\t" + std::string(1023, 'z') + "\town");
    OK_SEQUENCE(header, {{HDM_GETITEMCOUNT, host::kBoth, 0, 0}}, "column count");
    OK_SEQUENCE(spy,
                {{LVM_GETHEADER, host::kBoth, 0, 0},
                 {LVM_GETITEMTEXTA, host::kWParam, 4, 0},
                 {LVM_GETITEMTEXTA, host::kWParam, 4, 0},
                 {LVM_GETITEMTEXTA, host::kWParam, 4, 0}},
                "all columns");
    CHECK_EQ(TextRequests.size(), 3u);
    for (size_t j = 0; j < TextRequests.size(); ++j) {
        const TextRequest& request = TextRequests[j];
        CHECK_EQ(request.mask, static_cast<UINT>(LVIF_TEXT));
        CHECK_EQ(request.iItem, 4);
        CHECK_EQ(request.iSubItem, static_cast<int>(j));
        CHECK_EQ(request.cchTextMax, 1024);
        CHECK_EQ(request.firstByte, 0);
    }
    TextRequests.clear();
    CHECK_EQ(host::Text("lvGetItemText", {spy.window, 2, 3}), "own");
    CHECK_EQ(host::Text("lvGetItemText", {spy.window, 2, 2}), std::string(1023, 'z'));
    CHECK_EQ(host::Text("lvGetItemText", {spy.window, 2, 1}), "a");
    OK_SEQUENCE(spy,
                {{LVM_GETITEMTEXTA, host::kWParam, 1, 0},
                 {LVM_GETITEMTEXTA, host::kWParam, 1, 0},
                 {LVM_GETITEMTEXTA, host::kWParam, 1, 0}},
                "one column");
    CHECK_EQ(TextRequests.size(), 3u);
    if (TextRequests.size() == 3) {
        CHECK_EQ(TextRequests[0].iSubItem, 2);
        CHECK_EQ(TextRequests[2].firstByte, 0);
    }
    host::DestroySpy(spy);
    host::DestroySpy(header);
}

// What the spies saw of item and column records.
LVITEMA SeenItem;
std::string SeenText;
LVCOLUMNA SeenColumn;
LVBKIMAGEA SeenBkImage;

bool RecordItem(UINT m, WPARAM, LPARAM l, LRESULT& r) {
    if (m == LVM_INSERTITEMA || m == LVM_SETITEMTEXTA || m == LVM_SETITEMSTATE || m == LVM_SETITEMA) {
        SeenItem = *reinterpret_cast<LVITEMA*>(l);
        SeenText = SeenItem.pszText && (m == LVM_INSERTITEMA || m == LVM_SETITEMTEXTA) ? SeenItem.pszText : "";
        r = m == LVM_INSERTITEMA ? 7 : 1;
        return true;
    }
    if (m == LVM_INSERTCOLUMNA || m == LVM_SETCOLUMNA) {
        SeenColumn = *reinterpret_cast<LVCOLUMNA*>(l);
        SeenText = (SeenColumn.mask & LVCF_TEXT) ? SeenColumn.pszText : "";
        r = m == LVM_INSERTCOLUMNA ? 4 : 1;
        return true;
    }
    if (m == LVM_SETBKIMAGEA) {
        SeenBkImage = *reinterpret_cast<LVBKIMAGEA*>(l);
        SeenText = SeenBkImage.pszImage;
        r = 1;
        return true;
    }
    if (m == LVM_GETITEMCOUNT) {
        r = 0;
        return true;
    }
    return false;
}

void InsertAndSetText() {
    HWND list = FiveRows();
    CHECK_EQ(host::Int("lvInsertItem", {list, 1, "first"}), 0);
    CHECK_EQ(host::Int("lvInsertItem", {list, 4, "fourth"}), 3);
    CHECK_EQ(host::Int("lvInsertItem", {list, 99, "last"}), 7);
    CHECK_EQ(Rows(list), "first,A,B,fourth,C,D,E,last");
    CHECK_EQ(Image(list, 0, 0), I_IMAGENONE);
    CHECK_EQ(host::Int("lvInsertItem", {0, 1, "nowhere"}), 0);

    CHECK_EQ(host::Int("lvSetItemText", {list, 2, 2, "second column"}), 1);
    CHECK_EQ(Cell(list, 1, 1), "second column");
    CHECK_EQ(host::Int("lvSetItemText", {list, 3, 1, "B2"}), 1);
    CHECK_EQ(Cell(list, 2, 0), "B2");
    CHECK_EQ(host::Int("lvSetItemText", {list, 99, 1, "none"}), 0);
    // Column 0 names no cell: refused, where the control would answer 1.
    CHECK_EQ(host::Int("lvSetItemText", {list, 2, 0, "none"}), 0);
    CHECK_EQ(Cell(list, 1, 0) + "," + Cell(list, 1, 1), "A,second column");
    DestroyWindow(list);

    // Setting a text does not scroll.
    list = NewList(0, 120);
    AddColumns(list, 2);
    for (int i = 0; i < 40; ++i) Append(list, "row" + std::to_string(i));
    host::Int("lvSetItemText", {list, 30, 2, "far"});
    CHECK_EQ(Top(list), 0);
    DestroyWindow(list);

    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = RecordItem;
    SeenItem = LVITEMA{};
    SeenItem.iImage = 12345;
    CHECK_EQ(host::Int("lvInsertItem", {spy.window, 3, "new"}), 7);
    OK_SEQUENCE(spy, {{LVM_INSERTITEMA, host::kWParam, 0, 0}}, "insert");
    CHECK_EQ(SeenItem.mask, static_cast<UINT>(LVIF_TEXT | LVIF_IMAGE));
    CHECK_EQ(SeenItem.iItem, 2);
    CHECK_EQ(SeenItem.iSubItem, 0);
    CHECK_EQ(SeenItem.cchTextMax, 256);
    CHECK_EQ(SeenItem.iImage, I_IMAGENONE);
    CHECK_EQ(SeenText, "new");

    CHECK_EQ(host::Int("lvSetItemText", {spy.window, 3, 4, "cell"}), 1);
    OK_SEQUENCE(spy, {{LVM_SETITEMTEXTA, host::kWParam, 2, 0}}, "set text");
    CHECK_EQ(SeenItem.iSubItem, 3);
    CHECK_EQ(SeenText, "cell");
    CHECK_EQ(host::Int("lvSetItemText", {spy.window, 3, 0, "cell"}), 0);
    OK_SEQUENCE(spy, {}, "set text in column 0");
    host::DestroySpy(spy);
}

void ScrollTo() {
    HWND list = NewList(0, 200);
    AddColumns(list, 1);
    for (int i = 1; i <= 60; ++i) Append(list, "row" + std::to_string(i));
    CHECK(host::Int("lvScrollTo", {list, 11, 0}) != 0);
    CHECK_EQ(Top(list), 10);
    CHECK(host::Int("lvScrollTo", {list, 11, 2}) != 0);
    CHECK_EQ(Top(list), 8);
    CHECK(host::Int("lvScrollTo", {list, 30, 0}) != 0);
    CHECK_EQ(Top(list), 29);
    CHECK(host::Int("lvScrollTo", {list, 3, 0}) != 0);
    CHECK_EQ(Top(list), 2);
    // Near the end the list scrolls only as far as it can.
    const int perPage = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    host::Int("lvScrollTo", {list, 59, 0});
    CHECK_EQ(Top(list), 60 - perPage);
    // Targets outside the list scroll nothing and answer 0.
    host::Int("lvScrollTo", {list, 21, 0});
    CHECK_EQ(host::Int("lvScrollTo", {list, 1, 1}), 0);
    CHECK_EQ(host::Int("lvScrollTo", {list, 0, 0}), 0);
    CHECK_EQ(host::Int("lvScrollTo", {list, 61, 0}), 0);
    CHECK_EQ(host::Int("lvScrollTo", {list, 5, -70}), 0);
    CHECK_EQ(host::Int("lvScrollTo", {list, INT_MIN, INT_MAX}), 0);
    CHECK_EQ(Top(list), 20);
    CHECK_EQ(host::Int("lvScrollTo", {0, 5, 0}), 0);
    DestroyWindow(list);

    // The distance is the difference of the two rectangles' tops.
    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = [](UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        if (m == LVM_GETITEMCOUNT) r = 50;
        else if (m == LVM_GETTOPINDEX) r = 3;
        else if (m == LVM_SCROLL) r = 1;
        else if (m == LVM_GETITEMRECT) {
            RECT* rect = reinterpret_cast<RECT*>(l);
            if (rect->left != LVIR_BOUNDS) return false;
            rect->top = 20 * static_cast<int>(w);
            r = 1;
        } else return false;
        return true;
    };
    CHECK_EQ(host::Int("lvScrollTo", {spy.window, 20, 4}), 1);
    OK_SEQUENCE(spy,
                {{LVM_GETITEMCOUNT, host::kBoth, 0, 0},
                 {LVM_ENSUREVISIBLE, host::kBoth, 15, 0},
                 {LVM_GETTOPINDEX, host::kBoth, 0, 0},
                 {LVM_GETITEMRECT, host::kWParam, 15, 0},
                 {LVM_GETITEMRECT, host::kWParam, 3, 0},
                 {LVM_SCROLL, host::kBoth, 0, 240}},
                "scroll");
    host::DestroySpy(spy);
}

void Columns() {
    HWND list = NewList();
    CHECK_EQ(host::Int("lvInsertColumn", {list, 1, "First"}), 0);
    CHECK_EQ(host::Int("lvInsertColumn", {list, 1, "Zero"}), 0);
    CHECK_EQ(host::Int("lvInsertColumn", {list, 9, "Far"}), 2);
    char heading[64] = "";
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    CHECK_EQ(std::string(heading), "Zero");
    SendMessageA(list, LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column));
    CHECK_EQ(std::string(heading), "Far");

    CHECK(host::Int("lvSetColumnWidth", {list, 1, 120}) != 0);
    CHECK_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 120);
    CHECK_EQ(host::Int("lvSetColumnWidth", {list, 9, 120}), 0);

    AppendRows(list, {"a", "b", "c", "d"});
    CHECK_EQ(host::Int("lvSetColumnFill", {list, 2, "same"}), 1);
    CHECK_EQ(Cell(list, 0, 1) + Cell(list, 3, 1), "samesame");
    CHECK_EQ(host::Int("lvSetColumnFill", {list, 1, "own"}), 1);
    CHECK_EQ(Rows(list), "own,own,own,own");
    CHECK_EQ(host::Int("lvSetColumnFill", {list, 9, "nowhere"}), 1);

    auto column3 = [&] {
        return Cell(list, 0, 2) + "," + Cell(list, 1, 2) + "," + Cell(list, 2, 2) + "," + Cell(list, 3, 2);
    };
    CHECK_EQ(host::Int("lvSetColumnFillSeq", {list, 3, 1, 1}), 1);
    CHECK_EQ(column3(), "1,2,3,4");
    CHECK_EQ(host::Int("lvSetColumnFillSeq", {list, 3, 10, -5}), 1);
    CHECK_EQ(column3(), "10,5,0,-5");
    host::Int("lvSetColumnFillSeq", {list, 3, 7, 0});
    CHECK_EQ(column3(), "7,7,7,7");
    host::Int("lvSetColumnFillSeq", {list, 3, INT_MAX - 1, 1});
    CHECK_EQ(column3(), "2147483646,2147483647,-2147483648,-2147483647");

    // The image replaces the format whole: the column turns left-aligned.
    LVCOLUMNA format{};
    format.mask = LVCF_FMT;
    format.fmt = LVCFMT_RIGHT;
    SendMessageA(list, LVM_SETCOLUMNA, 1, reinterpret_cast<LPARAM>(&format));
    CHECK(host::Int("lvSetColumnImage", {list, 2, 3, 77}) != 0);
    LVCOLUMNA seen{};
    seen.mask = LVCF_FMT | LVCF_IMAGE;
    SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&seen));
    CHECK_EQ(seen.iImage, 2);
    CHECK_EQ(seen.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    CHECK(seen.fmt & LVCFMT_IMAGE);
    DestroyWindow(list);

    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = RecordItem;
    CHECK_EQ(host::Int("lvInsertColumn", {spy.window, 3, "Heading"}), 4);
    OK_SEQUENCE(spy,
                {{LVM_INSERTCOLUMNA, host::kWParam, 2, 0},
                 {LVM_SETCOLUMNWIDTH, host::kBoth, 2, static_cast<LPARAM>(LVSCW_AUTOSIZE_USEHEADER)}},
                "insert column");
    CHECK_EQ(SeenColumn.mask, static_cast<UINT>(LVCF_TEXT));
    CHECK_EQ(SeenText, "Heading");
    host::Int("lvSetColumnWidth", {spy.window, 2, -1});
    OK_SEQUENCE(spy, {{LVM_SETCOLUMNWIDTH, host::kBoth, 1, static_cast<LPARAM>(-1)}}, "width");
    CHECK_EQ(host::Int("lvSetColumnImage", {spy.window, 2, 1, 5}), 1);
    OK_SEQUENCE(spy, {{LVM_SETCOLUMNA, host::kWParam, 1, 0}}, "column image");
    CHECK_EQ(SeenColumn.mask, static_cast<UINT>(LVCF_FMT | LVCF_IMAGE));
    CHECK_EQ(SeenColumn.fmt, 0x8800);
    CHECK_EQ(SeenColumn.iImage, 0);
    // An empty list gets no text request.
    CHECK_EQ(host::Int("lvSetColumnFill", {spy.window, 1, "x"}), 1);
    CHECK_EQ(host::Int("lvSetColumnFillSeq", {spy.window, 1, 1, 1}), 1);
    OK_SEQUENCE(spy, {{LVM_GETITEMCOUNT, host::kBoth, 0, 0}, {LVM_GETITEMCOUNT, host::kBoth, 0, 0}}, "empty fill");
    host::DestroySpy(spy);
}

void States() {
    HWND list = FiveRows();
    Select(list, 1);
    Select(list, 3);
    CHECK_EQ(host::Int("lvGetItemState", {list, 2, LVIS_SELECTED}), LVIS_SELECTED);
    CHECK_EQ(host::Int("lvGetItemState", {list, 1, LVIS_SELECTED}), 0);
    LVITEMA focus{};
    focus.stateMask = LVIS_FOCUSED;
    focus.state = LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
    CHECK_EQ(host::Int("lvGetItemState", {list, 2, LVIS_SELECTED | LVIS_FOCUSED}), LVIS_SELECTED | LVIS_FOCUSED);
    CHECK_EQ(host::Int("lvGetItemState", {list, 2, LVIS_SELECTED}), LVIS_SELECTED);

    CHECK(host::Int("lvSetItemState", {list, 5, LVIS_SELECTED, LVIS_SELECTED}) != 0);
    CHECK_EQ(host::Int("lvGetItemCountSel", {list}), 3);
    // Item 0 means every item.
    CHECK(host::Int("lvSetItemState", {list, 0, LVIS_SELECTED, 0}) != 0);
    CHECK_EQ(host::Int("lvGetItemCountSel", {list}), 0);
    host::Int("lvSetItemState", {list, 0, LVIS_SELECTED, LVIS_SELECTED});
    CHECK_EQ(host::Int("lvGetItemCountSel", {list}), 5);

    // Without check boxes there is no state image.
    CHECK_EQ(host::Int("lvGetItemCheck", {list, 1}), -1);
    DestroyWindow(list);

    list = NewList(LVS_EX_CHECKBOXES);
    AddColumns(list, 1);
    AppendRows(list, {"A", "B", "C"});
    CHECK_EQ(host::Int("lvGetItemCheck", {list, 2}), 0);
    CHECK(host::Int("lvSetItemCheck", {list, 2, 1}) != 0);
    CHECK_EQ(host::Int("lvGetItemCheck", {list, 2}), 1);
    CHECK_EQ(host::Int("lvGetItemCheck", {list, 1}), 0);
    CHECK_EQ(SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    host::Int("lvSetItemCheck", {list, 2, 0});
    CHECK_EQ(host::Int("lvGetItemCheck", {list, 2}), 0);
    // Selection is left alone.
    Select(list, 2);
    host::Int("lvSetItemCheck", {list, 3, 1});
    CHECK_EQ(host::Int("lvGetItemState", {list, 3, LVIS_SELECTED}), LVIS_SELECTED);
    CHECK_EQ(host::Int("lvGetItemCheck", {list, 3}), 1);
    CHECK_EQ(host::Int("lvGetItemCheck", {0, 1}), -1);
    DestroyWindow(list);

    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = RecordItem;
    host::Int("lvSetItemCheck", {spy.window, 4, 1});
    OK_SEQUENCE(spy, {{LVM_SETITEMSTATE, host::kWParam, 3, 0}}, "check");
    CHECK_EQ(SeenItem.mask, static_cast<UINT>(LVIF_STATE));
    CHECK_EQ(SeenItem.iSubItem, 0);
    CHECK_EQ(SeenItem.stateMask, 0xF000u);
    CHECK_EQ(SeenItem.state, 0x2000u);
    host::Int("lvSetItemCheck", {spy.window, 4, 0});
    OK_SEQUENCE(spy, {{LVM_SETITEMSTATE, host::kWParam, 3, 0}}, "uncheck");
    CHECK_EQ(SeenItem.state, 0x1000u);
    host::Int("lvSetItemState", {spy.window, 0, 0x3, 0x1});
    OK_SEQUENCE(spy, {{LVM_SETITEMSTATE, host::kWParam, Index(-1), 0}}, "state");
    CHECK_EQ(SeenItem.iItem, -1);
    CHECK_EQ(SeenItem.stateMask, 0x3u);
    CHECK_EQ(SeenItem.state, 0x1u);
    host::Int("lvGetItemState", {spy.window, 2, 0x2});
    OK_SEQUENCE(spy, {{LVM_GETITEMSTATE, host::kBoth, 1, 2}}, "get state");
    host::Int("lvGetItemCheck", {spy.window, 2});
    OK_SEQUENCE(spy, {{LVM_GETITEMSTATE, host::kBoth, 1, LVIS_STATEIMAGEMASK}}, "get check");
    host::DestroySpy(spy);
}

HIMAGELIST FiveImages() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 5, 0);
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 80, 16);
    ReleaseDC(nullptr, screen);
    ImageList_Add(images, strip, nullptr);
    DeleteObject(strip);
    return images;
}

void Images() {
    HWND list = FiveRows();
    HIMAGELIST images = FiveImages();
    CHECK_EQ(host::Int("lvSetImageList", {list, images}), 5);
    CHECK(reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) == images);
    CHECK(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_SUBITEMIMAGES);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, 0);

    CHECK(host::Int("lvSetItemImage", {list, 1, 2, 3}) != 0);
    CHECK(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_SUBITEMIMAGES);
    CHECK_EQ(Image(list, 0, 1), 2);
    CHECK(host::Int("lvSetItemImage", {list, 1, 1, 4}) != 0);
    CHECK_EQ(Image(list, 0, 0), 3);
    host::Int("lvSetItemImage", {list, 2, 1, 0});
    CHECK_EQ(Image(list, 1, 0), I_IMAGECALLBACK);
    CHECK_EQ(host::Int("lvSetItemImage", {list, 9, 1, 1}), 0);
    CHECK_EQ(host::Int("lvSetItemImage", {list, 1, 0, 1}), 0);  // column 0: no cell, refused
    CHECK_EQ(Image(list, 0, 0), 3);

    CHECK_EQ(host::Int("lvClearImages", {list}), 1);
    for (int i = 0; i < 5; ++i) CHECK_EQ(Image(list, i, 0), -99);
    CHECK_EQ(Image(list, 0, 1), 2);  // sub-item images stay
    CHECK_EQ(host::Int("lvSetImageList", {0, images}), 5);
    CHECK_EQ(host::Int("lvClearImages", {0}), 1);
    DestroyWindow(list);
    ImageList_Destroy(images);

    list = FiveRows();
    CHECK_EQ(host::Int("lvSetBkImage", {list, 10, 20, "C:\\no\\such\\picture.bmp", 0}), 0);
    CHECK_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0)), CLR_NONE);
    DestroyWindow(list);

    host::Spy& spy = host::CreateSpy(Parent);
    spy.answer = RecordItem;
    CHECK_EQ(host::Int("lvClearImages", {spy.window}), 1);
    OK_SEQUENCE(spy, {{LVM_GETITEMCOUNT, host::kBoth, 0, 0}}, "clear empty");
    host::Int("lvSetItemImage", {spy.window, 2, 3, 4});
    OK_SEQUENCE(spy,
                {{LVM_SETEXTENDEDLISTVIEWSTYLE, host::kBoth, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES},
                 {LVM_SETITEMA, host::kWParam, 0, 0}},
                "item image");
    CHECK_EQ(SeenItem.mask, static_cast<UINT>(LVIF_IMAGE));
    CHECK_EQ(SeenItem.iItem, 1);
    CHECK_EQ(SeenItem.iSubItem, 2);
    CHECK_EQ(SeenItem.iImage, 3);
    CHECK_EQ(host::Int("lvSetItemImage", {spy.window, 2, -1, 4}), 0);
    OK_SEQUENCE(spy, {}, "item image in column -1");
    CHECK_EQ(host::Int("lvSetBkImage", {spy.window, 25, 75, "http://example/picture.jpg", LVBKIF_STYLE_TILE}), 0);
    OK_SEQUENCE(spy,
                {{LVM_SETTEXTBKCOLOR, host::kBoth, 0, static_cast<LPARAM>(CLR_NONE)},
                 {LVM_SETBKIMAGEA, host::kWParam, 0, 0}},
                "background picture");
    CHECK_EQ(SeenBkImage.ulFlags, static_cast<ULONG>(LVBKIF_STYLE_TILE | LVBKIF_SOURCE_URL));
    CHECK_EQ(SeenText, "http://example/picture.jpg");
    CHECK_EQ(SeenBkImage.xOffsetPercent, 25);
    CHECK_EQ(SeenBkImage.yOffsetPercent, 75);
    CHECK(SeenBkImage.hbm == nullptr);
    CHECK_EQ(SeenBkImage.cchImageMax, 0);
    host::DestroySpy(spy);
}

void FixedCustomDrawAnswers() {
    const COLORREF kUnset = 0x123456, kRed = 0x0000FF, kBlue = 0xFF0000, kGrey = 0xC8C8C8, kWhite = 0xFFFFFF;
    struct Row {
        DWORD stage;
        DWORD_PTR item;
        int subItem;
        COLORREF text, back;
        LRESULT answer;
    };
    const Row rows[] = {
        {CDDS_PREPAINT, 0, 0, kUnset, kUnset, CDRF_NOTIFYITEMDRAW},
        {CDDS_ITEMPREPAINT, 0, 0, kRed, kGrey, CDRF_NEWFONT},
        {CDDS_ITEMPREPAINT, 1, 0, kBlue, kWhite, CDRF_NEWFONT},
        {CDDS_ITEMPREPAINT, 6, 3, kRed, kGrey, CDRF_NEWFONT},
        {CDDS_ITEMPREPAINT, 7, 3, kBlue, kWhite, CDRF_NEWFONT},
        {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 1, 0, kRed, kWhite, CDRF_NEWFONT},
        {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 1, kUnset, kWhite, CDRF_NEWFONT},
        {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 2, kUnset, kUnset, CDRF_DODEFAULT},
        {CDDS_POSTPAINT, 0, 0, kUnset, kUnset, CDRF_DODEFAULT},
        {CDDS_ITEMPOSTPAINT, 0, 0, kUnset, kUnset, CDRF_DODEFAULT},
    };
    for (const Row& row : rows) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.dwDrawStage = row.stage;
        draw.nmcd.dwItemSpec = row.item;
        draw.iSubItem = row.subItem;
        draw.clrText = kUnset;
        draw.clrTextBk = kUnset;
        CHECK_EQ(PaintCustomDrawColors(&draw), row.answer);
        CHECK_EQ(draw.clrText, row.text);
        CHECK_EQ(draw.clrTextBk, row.back);
    }
}

// Pixels of exactly this colour inside the label of one cell, as drawn
// once the host has taken its messages (colour changes draw then).
int Pixels(HWND list, int item, int column, COLORREF colour) {
    host::Pump();
    UpdateWindow(list);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    if (!SendMessageA(list, LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&cell))) return -1;
    RECT client;
    GetClientRect(list, &client);
    IntersectRect(&cell, &cell, &client);
    HDC dc = GetDC(list);
    int found = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) found += GetPixel(dc, x, y) == colour;
    ReleaseDC(list, dc);
    return found;
}

void Repaint(HWND list) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    host::Pump();
}

LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) {
    if (message == WM_PAINT) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}

void Colours() {
    HWND list = FiveRows();
    CHECK(host::Int("lvSetBkColor", {list, "255|255|0"}) != 0);
    CHECK_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0)), 0x00FFFFu);
    CHECK(host::Int("lvSetBkColor", {list, "0|0|255"}) != 0);
    CHECK_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0)), 0xFF0000u);
    CHECK_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), GetSysColor(COLOR_WINDOW));
    CHECK_EQ(host::Int("lvSetBkColor", {0, "0|0|255"}), 0);
    DestroyWindow(list);

    const COLORREF green = RGB(0, 160, 0), red = RGB(200, 0, 0);
    list = NewList();
    AddColumns(list, 3);
    for (int i = 0; i < 6; ++i) {
        Append(list, "WWWW" + std::to_string(i));
        SetCell(list, i, 1, "MMMMMM");
        SetCell(list, i, 2, "HHHHHH");
    }
    Repaint(list);
    CHECK_EQ(Pixels(list, 3, 1, green), 0);
    CHECK_EQ(host::Int("lvSetItemTextColor", {Parent, list, 4, 2, "0|160|0"}), 1);
    CHECK(Pixels(list, 3, 1, green) > 10);
    CHECK_EQ(Pixels(list, 3, 0, green), 0);
    CHECK_EQ(Pixels(list, 3, 2, green), 0);
    CHECK_EQ(Pixels(list, 2, 1, green), 0);
    CHECK_EQ(Pixels(list, 4, 1, green), 0);
    // The cell after a coloured one has the row's colour again.
    CHECK_EQ(host::Int("lvSetItemTextColor", {list, list, 4, 1, "200|0|0"}), 1);
    CHECK(Pixels(list, 3, 0, red) > 10);
    CHECK(Pixels(list, 3, 1, green) > 10);
    CHECK_EQ(Pixels(list, 3, 2, red), 0);
    CHECK(Pixels(list, 3, 2, GetSysColor(COLOR_WINDOWTEXT)) > 10);

    // The colour stays with its item when rows above it go or come.
    CHECK_EQ(host::Int("lvDeleteItem", {list, 1, 0}), 5);
    Repaint(list);
    CHECK(Pixels(list, 2, 1, green) > 10);
    CHECK_EQ(Pixels(list, 3, 1, green), 0);
    Append(list, "WWWW6");
    LVITEMA top{};
    top.mask = LVIF_TEXT;
    top.pszText = const_cast<char*>("WWWW-");
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&top));
    Repaint(list);
    CHECK(Pixels(list, 3, 1, green) > 10);
    CHECK(Pixels(list, 3, 0, red) > 10);
    CHECK_EQ(Pixels(list, 2, 1, green), 0);
    // ... and when the list is sorted.
    SendMessageA(list, LVM_SORTITEMSEX, 0,
                 reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM) -> int { return a < b ? 1 : -1; }));
    Repaint(list);
    CHECK_EQ(Cell(list, 3, 0), "WWWW3");
    CHECK(Pixels(list, 3, 1, green) > 10);
    CHECK_EQ(Pixels(list, 0, 1, green), 0);
    CHECK_EQ(Pixels(list, 4, 1, green), 0);
    // A later colour replaces the earlier one.
    host::Int("lvSetItemTextColor", {Parent, list, 4, 2, "200|0|0"});
    CHECK(Pixels(list, 3, 1, red) > 10);
    CHECK_EQ(Pixels(list, 3, 1, green), 0);

    // A deleted item takes its colours along: the newest item's id may be
    // given again to the next one inserted.
    const int fresh = Append(list, "WWWW7");
    SetCell(list, fresh, 1, "MMMMMM");
    host::Int("lvSetItemTextColor", {Parent, list, fresh + 1, 2, "0|160|0"});
    CHECK(Pixels(list, fresh, 1, green) > 10);
    CHECK_EQ(host::Int("lvDeleteItem", {list, -1, 0}), fresh);
    const int again = Append(list, "WWWW8");
    SetCell(list, again, 1, "MMMMMM");
    Repaint(list);
    CHECK_EQ(again, fresh);
    CHECK_EQ(Pixels(list, again, 1, green), 0);
    CHECK(Pixels(list, again, 1, GetSysColor(COLOR_WINDOWTEXT)) > 10);
    // Deleting everything forgets every colour.
    host::Int("lvDeleteItem", {list, 1, -1});
    for (int i = 0; i < 6; ++i) {
        Append(list, "WWWW" + std::to_string(i));
        SetCell(list, i, 1, "MMMMMM");
    }
    Repaint(list);
    CHECK_EQ(Pixels(list, 3, 0, red), 0);
    CHECK_EQ(Pixels(list, 3, 1, red), 0);

    // Items and columns that don't exist change nothing.
    CHECK_EQ(host::Int("lvSetItemTextColor", {Parent, list, 99, 1, "0|160|0"}), 1);
    CHECK_EQ(host::Int("lvSetItemTextColor", {Parent, list, 0, 1, "0|160|0"}), 1);
    CHECK_EQ(host::Int("lvSetItemTextColor", {Parent, list, 2, 0, "0|160|0"}), 1);
    CHECK_EQ(host::Int("lvSetItemTextColor", {0, 0, 1, 1, "0|160|0"}), 1);
    Repaint(list);
    for (int i = 0; i < 6; ++i) CHECK_EQ(Pixels(list, i, 0, green) + Pixels(list, i, 1, green), 0);

    // Colouring many cells draws the list once, when the host takes its
    // messages, even with the parent brought up to date after each call.
    int paints = 0;
    SetWindowSubclass(list, CountPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    for (int i = 1; i <= 6; ++i) host::Int("lvSetItemTextColor", {Parent, list, i, 2, "0|160|0"});
    CHECK_EQ(paints, 0);
    host::Pump();
    CHECK_EQ(paints, 1);
    CHECK(Pixels(list, 5, 1, green) > 10);
    RemoveWindowSubclass(list, CountPaints, 1);
    DestroyWindow(list);

    // Scrolling: the colour shows wherever its row is drawn. A second list
    // view under the same parent shares the parent's subclass.
    list = NewList(0, 150);
    AddColumns(list, 2);
    for (int i = 0; i < 60; ++i) Append(list, "WWWW" + std::to_string(i));
    host::Int("lvSetItemTextColor", {Parent, list, 41, 1, "0|160|0"});
    HWND second = host::CreateChild(Parent, "SysListView32", LVS_REPORT | WS_VISIBLE, 10, 320, 300, 100);
    AddColumns(second, 1);
    Append(second, "WWWW");
    host::Int("lvSetItemTextColor", {Parent, second, 1, 1, "200|0|0"});
    CHECK(Pixels(second, 0, 0, red) > 10);
    host::Int("lvScrollTo", {list, 41, 1});
    Repaint(list);
    CHECK_EQ(Top(list), 39);
    CHECK(Pixels(list, 40, 0, green) > 10);
    CHECK_EQ(Pixels(list, 41, 0, green), 0);
    host::Int("lvScrollTo", {list, 1, 0});
    host::Int("lvScrollTo", {list, 35, 0});
    Repaint(list);
    CHECK(Pixels(list, 40, 0, green) > 10);
    DestroyWindow(list);
    DestroyWindow(second);
}

LRESULT CALLBACK PassOnSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(window, message, wParam, lParam);
}

WNDPROC ParentSaved;
LRESULT CALLBACK ParentPassesOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(ParentSaved, window, message, wParam, lParam);
}

// The host subclasses the parent of a coloured list view before and after
// ours, and takes its procedures out again: colours keep showing.
void HostSubclassing() {
    const COLORREF green = RGB(0, 160, 0);
    HWND parent = host::CreateTopWindow("host subclassing", 300, 200);
    HWND list = host::CreateChild(parent, "SysListView32", LVS_REPORT | WS_VISIBLE, 0, 0, 300, 200);
    AddColumns(list, 1);
    AppendRows(list, {"WWWW", "WWWW", "WWWW"});
    // The host's last subclass removed after ours came in front: Wine's
    // common controls put back the original procedure over ours (Windows
    // leaves ours), and the next colour puts ours back in front.
    SetWindowSubclass(parent, PassOnSubclass, 1, 0);
    host::Int("lvSetItemTextColor", {parent, list, 1, 1, "0|160|0"});
    RemoveWindowSubclass(parent, PassOnSubclass, 1);
    host::Int("lvSetItemTextColor", {parent, list, 2, 1, "0|160|0"});
    const LONG_PTR ours = GetWindowLongPtrA(parent, GWLP_WNDPROC);
    // Subclasses after ours, taken out in either order, give ours back.
    for (int order = 0; order < 2; ++order) {
        SetWindowSubclass(parent, PassOnSubclass, 1, 0);
        SetWindowSubclass(parent, PassOnSubclass, 2, 0);
        RemoveWindowSubclass(parent, PassOnSubclass, order ? 1 : 2);
        RemoveWindowSubclass(parent, PassOnSubclass, order ? 2 : 1);
        CHECK(GetWindowLongPtrA(parent, GWLP_WNDPROC) == ours);
    }
    // A procedure after ours that passes messages on stays in front.
    ParentSaved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentPassesOn)));
    host::Int("lvSetItemTextColor", {parent, list, 3, 1, "0|160|0"});
    CHECK(GetWindowLongPtrA(parent, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ParentPassesOn));
    Repaint(list);
    for (int row = 0; row < 3; ++row) CHECK(Pixels(list, row, 0, green) > 10);
    DestroyWindow(parent);  // with the host's procedure still in front
}

// The host may let the extender go while coloured list views live on.
void UnloadWhileColoured() {
    HWND list = NewList();
    AddColumns(list, 1);
    AppendRows(list, {"WWWW", "WWWW"});
    host::Int("lvSetItemTextColor", {Parent, list, 2, 1, "0|160|0"});
    CHECK(Pixels(list, 1, 0, RGB(0, 160, 0)) > 10);
    HMODULE module = host::Current().extender.module;
    FreeLibrary(module);
    Repaint(list);
    CHECK(GetModuleHandleA("tabulon.dll") != nullptr);
    CHECK(Pixels(list, 1, 0, RGB(0, 160, 0)) > 10);
    DestroyWindow(list);
    Repaint(Parent);
}

// A window of another process reads like no window: nothing carrying a
// pointer goes there.
void OtherProcessWindow() {
    HWND desktop = GetDesktopWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(desktop, &process);
    if (process == GetCurrentProcessId()) return;  // nothing to show here
    CHECK_EQ(host::Text("lvGetItemText", {desktop, 1, 0}), "");
    CHECK_EQ(host::Text("lvGetItemText", {desktop, 1, 1}), "");
    CHECK_EQ(host::Int("lvInsertItem", {desktop, 1, "x"}), 0);
    CHECK_EQ(host::Int("lvScrollTo", {desktop, 1, 0}), 0);
    CHECK_EQ(host::Int("lvSetItemText", {desktop, 1, 1, "x"}), 0);
    CHECK_EQ(host::Int("lvSetColumnFill", {desktop, 1, "x"}), 1);
    CHECK_EQ(host::Int("lvSetColumnFillSeq", {desktop, 1, 1, 1}), 1);
    CHECK_EQ(host::Int("lvClearImages", {desktop}), 1);
    CHECK_EQ(host::Int("lvSetItemTextColor", {desktop, desktop, 1, 1, "1|2|3"}), 1);
}

}  // namespace

int main() {
    host::Start();
    Parent = host::CreateTopWindow("list views", 700, 500);
    check::Group("counts", Counting);
    check::Group("lvDeleteItem", DeleteItems);
    check::Group("lvGetItemText", ItemTexts);
    check::Group("insert and set text", InsertAndSetText);
    check::Group("lvScrollTo", ScrollTo);
    check::Group("columns", Columns);
    check::Group("states and checks", States);
    check::Group("images", Images);
    check::Group("fixed custom-draw answers", FixedCustomDrawAnswers);
    check::Group("colours", Colours);
    check::Group("host subclassing", HostSubclassing);
    check::Group("another process's window", OtherProcessWindow);
    check::Group("unloading", UnloadWhileColoured);
    return check::Finish();
}
