// List boxes, edit boxes, buttons, combo boxes and the window utilities:
// real controls for what a user sees, spy windows for the exact messages.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "check.h"
#include "host/standin_host.h"

namespace {

HWND Top() {
    static HWND window = host::CreateTopWindow("Tabulon standard controls", 640, 480);
    return window;
}

// The messages of the standard controls lie below WM_USER.
bool IsControlMessage(UINT m) {
    return (m >= EM_GETSEL && m <= EM_GETIMESTATUS) || (m >= BM_GETCHECK && m <= BM_SETDONTCLICK) ||
           (m >= CB_GETEDITSEL && m <= CB_MSGMAX) || (m >= LB_ADDSTRING && m <= LB_MSGMAX);
}

host::Spy& ControlSpy() {
    host::Spy& spy = host::CreateSpy(Top());
    spy.recordAll = true;
    return spy;
}

// Keeps only the control messages, then compares.
#define OK_CONTROL_SEQUENCE(spy, ...) (KeepControlMessages(spy), OK_SEQUENCE(spy, __VA_ARGS__))
void KeepControlMessages(host::Spy& spy) {
    std::vector<host::Message> kept;
    for (const host::Message& m : spy.log)
        if (IsControlMessage(m.message)) kept.push_back(m);
    spy.log = kept;
}

constexpr WPARAM W(intptr_t value) { return static_cast<WPARAM>(value); }

HWND MakeListBox(DWORD style, int items, bool visible = true) {
    HWND box = host::CreateChild(Top(), "ListBox", style | WS_VSCROLL | (visible ? WS_VISIBLE : 0), 10, 10, 200, 200);
    for (int i = 1; i <= items; ++i) {
        char text[16];
        snprintf(text, sizeof text, "item%d", i);
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    return box;
}

// The list box's texts joined by blanks, to compare in one go.
std::string Items(HWND box) {
    std::string joined;
    const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        joined += (i ? " " : "") + std::string(text);
    }
    return joined;
}

void Select(HWND box, std::initializer_list<int> controlItems) {
    for (int item : controlItems) SendMessageA(box, LB_SETSEL, TRUE, item);
}

// One "Note" box owned by the host window, with this text, really shown.
void CheckNoteBox(const char* text) {
    std::vector<host::MessageBoxSeen> boxes = host::MessageBoxes();
    host::MessageBoxes().clear();
    if (!CHECK_EQ(boxes.size(), 1u)) return;
    const host::MessageBoxSeen& box = boxes[0];
    CHECK_EQ(box.text, text);
    CHECK_EQ(box.caption, "Note");
    CHECK_EQ(box.style, MB_OK);
    CHECK(box.owner == host::Current().owner);
    CHECK(box.shown);
    CHECK(box.dialogOwner == host::Current().owner);
    CHECK_EQ(box.dialogText, text);
    CHECK_EQ(box.dialogCaption, "Note");
}

void CheckNoBoxes() { CHECK_EQ(host::TakeMessageBoxes().size(), 0u); }

const char kScope2[] = "A Scope of -2 indicated but no Items selected for deletion";
const char kScope3[] = "A Scope of -3 indicated but no Items selected";
const char kTooLarge[] = "Index is greater than number of items in ListView";
const char kBadScope[] = "Invalid Scope value";

void ListBoxQueries() {
    for (DWORD multi : {static_cast<DWORD>(LBS_EXTENDEDSEL), static_cast<DWORD>(LBS_MULTIPLESEL)}) {
        HWND box = MakeListBox(multi, 5);
        CHECK_EQ(host::Int("lbGetItemCount", {box}), 5);
        CHECK_EQ(host::Int("lbGetItemCountSel", {box}), 0);
        CHECK_EQ(host::Int("lbSetItemState", {box, 2, 1}), 0);
        CHECK_EQ(SendMessageA(box, LB_GETSEL, 1, 0), 1);
        CHECK(host::Int("lbGetItemState", {box, 2}) > 0);
        CHECK_EQ(host::Int("lbGetItemState", {box, 3}), 0);
        CHECK_EQ(host::Int("lbGetItemState", {box, 0}), LB_ERR);
        CHECK_EQ(host::Int("lbGetItemState", {box, 6}), LB_ERR);
        CHECK_EQ(host::Int("lbGetItemCountSel", {box}), 1);
        // Item 0 names every item.
        host::Int("lbSetItemState", {box, 0, 1});
        CHECK_EQ(SendMessageA(box, LB_GETSELCOUNT, 0, 0), 5);
        host::Int("lbSetItemState", {box, 0, 0});
        CHECK_EQ(SendMessageA(box, LB_GETSELCOUNT, 0, 0), 0);
        CHECK_EQ(host::Int("lbSetItemState", {box, 9, 1}), LB_ERR);
        DestroyWindow(box);
    }
    HWND single = MakeListBox(0, 3);
    CHECK_EQ(host::Int("lbGetItemCountSel", {single}), LB_ERR);
    CHECK_EQ(host::Int("lbSetHScrollSize", {single, 300}), 0);
    CHECK_EQ(SendMessageA(single, LB_GETHORIZONTALEXTENT, 0, 0), 300);
    CHECK_EQ(host::Int("lbSetItemHeight", {single, 20}), 1);
    CHECK_EQ(host::Int("lbGetItemHeight", {single}), 20);
    DestroyWindow(single);

    host::Spy& spy = ControlSpy();
    spy.answer = [](UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == LB_GETCOUNT) return r = 1234, true;
        if (m == LB_GETITEMHEIGHT) return r = 17, true;
        if (m == LB_SETITEMHEIGHT) return r = LB_ERR, true;
        if (m == LB_SETSEL) return r = 44, true;
        return false;
    };
    CHECK_EQ(host::Int("lbGetItemCount", {spy.window}), 1234);
    CHECK_EQ(host::Int("lbGetItemHeight", {spy.window}), 17);
    CHECK_EQ(host::Int("lbSetItemState", {spy.window, 2, 7}), 44);
    host::Int("lbSetItemState", {spy.window, 0, 1});
    host::Int("lbGetItemState", {spy.window, 0});
    host::Int("lbGetItemCountSel", {spy.window});
    host::Int("lbSetHScrollSize", {spy.window, 640});
    OK_CONTROL_SEQUENCE(spy,
                        {{LB_GETCOUNT, host::kBoth, 0, 0},
                         {LB_GETITEMHEIGHT, host::kBoth, 0, 0},
                         {LB_SETSEL, host::kBoth, 7, 1},  // state in wParam, item in lParam
                         {LB_SETSEL, host::kBoth, 1, -1},
                         {LB_GETSEL, host::kBoth, W(-1), 0},
                         {LB_GETSELCOUNT, host::kBoth, 0, 0},
                         {LB_SETHORIZONTALEXTENT, host::kBoth, 640, 0}},
                        "list box queries");

    // The height is clamped to 1..255 and the answer ignored.
    const int heights[][2] = {{0, 1}, {-5, 1}, {1, 1}, {20, 20}, {255, 255}, {256, 255}, {300, 255}};
    for (const auto& h : heights) {
        CHECK_EQ(host::Int("lbSetItemHeight", {spy.window, h[0]}), 1);
        OK_CONTROL_SEQUENCE(spy, {{LB_SETITEMHEIGHT, host::kBoth, 0, h[1]}}, "item height");
    }
    host::DestroySpy(spy);
}

void DeleteSingleItems() {
    HWND box = MakeListBox(LBS_EXTENDEDSEL, 6);
    CHECK_EQ(host::Int("lbDeleteItem", {box, 0, 0}), 5);  // index 0 is the first
    CHECK_EQ(Items(box), "item2 item3 item4 item5 item6");
    CHECK_EQ(host::Int("lbDeleteItem", {box, -1, 0}), 4);  // -1 is the last
    CHECK_EQ(Items(box), "item2 item3 item4 item5");
    CHECK_EQ(host::Int("lbDeleteItem", {box, 2, 0}), 3);
    CHECK_EQ(Items(box), "item2 item4 item5");
    CHECK_EQ(host::Int("lbDeleteItem", {box, -3, 3}), LB_ERR);  // negative stays for other scopes
    CHECK_EQ(host::Int("lbDeleteItem", {box, -3, 0}), 2);       // -count is the first
    CHECK_EQ(Items(box), "item4 item5");
    CHECK_EQ(host::Int("lbDeleteItem", {box, -3, 0}), LB_ERR);  // before the first
    CHECK_EQ(host::Int("lbDeleteItem", {box, 2, 7}), 1);        // any scope above 0 deletes one
    CHECK_EQ(Items(box), "item4");
    CheckNoBoxes();
    CHECK_EQ(host::Int("lbDeleteItem", {box, 2, 0}), 1);
    CheckNoteBox(kTooLarge);
    CHECK_EQ(Items(box), "item4");
    DestroyWindow(box);

    // Index -1 with scope 5 is not counted from the end.
    host::Spy& spy = ControlSpy();
    spy.answer = [](UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == LB_GETCOUNT) return r = 5, true;
        if (m == LB_GETSELCOUNT) return r = 1, true;
        if (m == LB_DELETESTRING) return r = LB_ERR, true;
        return false;
    };
    CHECK_EQ(host::Int("lbDeleteItem", {spy.window, -1, 5}), LB_ERR);
    OK_CONTROL_SEQUENCE(spy,
                        {{LB_GETSELCOUNT, host::kBoth, 0, 0},
                         {LB_GETCOUNT, host::kBoth, 0, 0},
                         {LB_DELETESTRING, host::kBoth, W(-2), 0}},
                        "index -1, scope 5");
    CHECK_EQ(host::Int("lbDeleteItem", {spy.window, -2, 0}), LB_ERR);
    OK_CONTROL_SEQUENCE(spy,
                        {{LB_GETSELCOUNT, host::kBoth, 0, 0},
                         {LB_GETCOUNT, host::kBoth, 0, 0},
                         {LB_DELETESTRING, host::kBoth, 3, 0}},
                        "index -2, scope 0");
    host::DestroySpy(spy);
    CheckNoBoxes();
}

void DeleteProblems() {
    // Each check in its order: a box, nothing deleted, the item count back.
    HWND box = MakeListBox(LBS_MULTIPLESEL, 5);
    CHECK_EQ(host::Int("lbDeleteItem", {box, 99, -2}), 5);  // scope -2 before the index
    CheckNoteBox(kScope2);
    CHECK_EQ(host::Int("lbDeleteItem", {box, 99, -3}), 5);
    CheckNoteBox(kScope3);
    Select(box, {0});
    CHECK_EQ(host::Int("lbDeleteItem", {box, 6, -4}), 5);  // the index before the scope
    CheckNoteBox(kTooLarge);
    CHECK_EQ(host::Int("lbDeleteItem", {box, 1, -4}), 5);
    CheckNoteBox(kBadScope);
    CHECK_EQ(host::Int("lbDeleteItem", {box, 1, -2147483647 - 1}), 5);
    CheckNoteBox(kBadScope);
    CHECK_EQ(Items(box), "item1 item2 item3 item4 item5");
    DestroyWindow(box);

    // Scope -1: index 0 reads as 1, which an empty list box lacks.
    HWND empty = MakeListBox(LBS_EXTENDEDSEL, 0);
    host::Spy& spy = ControlSpy();
    CHECK_EQ(host::Int("lbDeleteItem", {spy.window, 0, -1}), 0);
    CheckNoteBox(kTooLarge);
    OK_CONTROL_SEQUENCE(spy, {{LB_GETSELCOUNT, host::kBoth, 0, 0}, {LB_GETCOUNT, host::kBoth, 0, 0}},
                        "scope -1 on an empty list");
    CHECK_EQ(host::Int("lbDeleteItem", {empty, 0, -1}), 0);
    CheckNoteBox(kTooLarge);
    DestroyWindow(empty);
    host::DestroySpy(spy);

    HWND full = MakeListBox(LBS_EXTENDEDSEL, 4);
    CHECK_EQ(host::Int("lbDeleteItem", {full, 0, -1}), 0);
    CHECK_EQ(SendMessageA(full, LB_GETCOUNT, 0, 0), 0);
    CheckNoBoxes();
    DestroyWindow(full);
}

void DeleteByScope() {
    for (DWORD multi : {static_cast<DWORD>(LBS_EXTENDEDSEL), static_cast<DWORD>(LBS_MULTIPLESEL)}) {
        HWND box = MakeListBox(multi, 5);
        Select(box, {1, 3});
        CHECK_EQ(host::Int("lbDeleteItem", {box, 0, -2}), 3);
        CHECK_EQ(Items(box), "item1 item3 item5");
        DestroyWindow(box);

        box = MakeListBox(multi, 5);
        Select(box, {1, 3});
        CHECK_EQ(host::Int("lbDeleteItem", {box, 0, -3}), 2);
        CHECK_EQ(Items(box), "item2 item4");
        DestroyWindow(box);

        box = MakeListBox(multi, 4);
        Select(box, {0, 1, 2, 3});
        CHECK_EQ(host::Int("lbDeleteItem", {box, 0, -3}), 0);  // nothing unselected
        CHECK_EQ(Items(box), "item1 item2 item3 item4");
        DestroyWindow(box);
    }
    CheckNoBoxes();

    // The walk goes downwards and deletes control items 3 then 1.
    host::Spy& spy = ControlSpy();
    struct Fake {
        int count = 5;
    };
    static Fake fake;
    fake = Fake();
    spy.answer = [](UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m == LB_GETSELCOUNT) return r = 2, true;
        if (m == LB_GETCOUNT) return r = fake.count, true;
        if (m == LB_GETSEL) return r = (w == 1 || w == 3) ? 1 : 0, true;
        if (m == LB_DELETESTRING) return r = --fake.count, true;
        return false;
    };
    CHECK_EQ(host::Int("lbDeleteItem", {spy.window, 0, -2}), 3);
    OK_CONTROL_SEQUENCE(spy,
                        {{LB_GETSELCOUNT, host::kBoth, 0, 0},
                         {LB_GETCOUNT, host::kBoth, 0, 0},
                         {LB_GETSEL, host::kBoth, 4, 0},
                         {LB_GETSEL, host::kBoth, 3, 0},
                         {LB_DELETESTRING, host::kBoth, 3, 0},
                         {LB_GETSEL, host::kBoth, 2, 0},
                         {LB_GETSEL, host::kBoth, 1, 0},
                         {LB_DELETESTRING, host::kBoth, 1, 0},
                         {LB_GETSEL, host::kBoth, 0, 0}},
                        "scope -2 walk");
    host::DestroySpy(spy);

    // A single-selection list box reports -1 selected: no box, the walk runs.
    HWND single = MakeListBox(0, 4);
    CHECK_EQ(host::Int("lbDeleteItem", {single, 0, -2}), 0);  // nothing selected, nothing deleted
    CHECK_EQ(Items(single), "item1 item2 item3 item4");
    SendMessageA(single, LB_SETCURSEL, 2, 0);
    CHECK_EQ(host::Int("lbDeleteItem", {single, 0, -2}), 3);
    CHECK_EQ(Items(single), "item1 item2 item4");
    SendMessageA(single, LB_SETCURSEL, 1, 0);
    CHECK_EQ(host::Int("lbDeleteItem", {single, 0, -3}), 1);
    CHECK_EQ(Items(single), "item2");
    CheckNoBoxes();
    DestroyWindow(single);
}

void SelectedItemsText() {
    for (DWORD multi : {static_cast<DWORD>(LBS_EXTENDEDSEL), static_cast<DWORD>(LBS_MULTIPLESEL)}) {
        HWND box = MakeListBox(multi, 6);
        CHECK_EQ(host::Text("lbGetItemSel", {box}), "0");
        Select(box, {0, 3, 4});
        CHECK_EQ(host::Text("lbGetItemSel", {box}), "1\t4\t5");
        DestroyWindow(box);
    }
    HWND single = MakeListBox(0, 7);
    CHECK_EQ(host::Text("lbGetItemSel", {single}), "0");
    SendMessageA(single, LB_SETCURSEL, 6, 0);
    CHECK_EQ(host::Text("lbGetItemSel", {single}), "7");
    DestroyWindow(single);

    // 9000 selected items make more text than the buffer holds: it ends
    // with the last whole number that fits (1..999 take 3888 bytes with
    // their tabs, then 7414 four-digit numbers).
    HWND big = MakeListBox(LBS_EXTENDEDSEL, 9000, false);
    SendMessageA(big, LB_SETSEL, TRUE, -1);
    const std::string text = host::Text("lbGetItemSel", {big});
    CHECK_EQ(text.size(), 40957u);
    CHECK_EQ(text.substr(0, 6), "1\t2\t3\t");
    CHECK_EQ(text.substr(text.size() - 10), "\t8412\t8413");
    DestroyWindow(big);
}

// A list box that claims 40,000 selected items.
struct Claim {
    LRESULT selectedCount = 40000;
    LRESULT itemsAnswer = -100;  // -100: answer the request
    int fill = -1;               // -1: fill the whole request
    LRESULT current = LB_ERR;
    WPARAM largestRequest = 0;
    int requests = 0;
};
Claim claim;

bool AnswerClaim(UINT m, WPARAM w, LPARAM l, LRESULT& r) {
    if (m == LB_GETSELCOUNT) return r = claim.selectedCount, true;
    if (m == LB_GETCURSEL) return r = claim.current, true;
    if (m != LB_GETSELITEMS) return false;
    ++claim.requests;
    if (w > claim.largestRequest) claim.largestRequest = w;
    const int fill = claim.fill < 0 ? static_cast<int>(w) : claim.fill;
    int* indexes = reinterpret_cast<int*>(l);
    for (int i = 0; i < fill; ++i) indexes[i] = 100000 + i;
    r = claim.itemsAnswer == -100 ? static_cast<LRESULT>(w) : claim.itemsAnswer;
    return true;
}

void SelectedItemsBounds() {
    host::Spy& spy = ControlSpy();
    spy.answer = AnswerClaim;

    claim = Claim();
    const std::string text = host::Text("lbGetItemSel", {spy.window});
    CHECK_EQ(claim.requests, 1);
    CHECK_EQ(claim.largestRequest, 32767u);
    // Six-digit entries: 5851 of them with their tabs take 40956 bytes.
    CHECK_EQ(text.size(), 40956u);
    bool wellFormed = true;
    size_t at = 0;
    for (int i = 0; i < 5851 && wellFormed; ++i) {
        const std::string entry = std::to_string(100001 + i);
        wellFormed = text.compare(at, entry.size(), entry) == 0;
        at += entry.size();
        if (i < 5850) wellFormed = wellFormed && text[at++] == '\t';
    }
    CHECK(wellFormed);
    CHECK_EQ(at, text.size());

    // An answer above the request is not believed.
    claim = Claim();
    claim.selectedCount = 3;
    claim.itemsAnswer = 1000;
    CHECK_EQ(host::Text("lbGetItemSel", {spy.window}), "100001\t100002\t100003");
    CHECK_EQ(claim.largestRequest, 3u);

    claim = Claim();
    claim.selectedCount = 3;
    claim.itemsAnswer = -5;
    CHECK_EQ(host::Text("lbGetItemSel", {spy.window}), "0");

    // Index values the list box invents still make whole numbers.
    claim = Claim();
    claim.selectedCount = 1;
    claim.fill = 0;
    spy.answer = [](UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        if (m == LB_GETSELITEMS && w >= 2) {
            reinterpret_cast<int*>(l)[0] = 2147483647;
            reinterpret_cast<int*>(l)[1] = -7;
            return r = 2, true;
        }
        return AnswerClaim(m, w, l, r);
    };
    claim.selectedCount = 2;
    CHECK_EQ(host::Text("lbGetItemSel", {spy.window}), "-2147483648\t-6");

    // A single-selection list box: the count is -1, so nothing is asked
    // for, and the current selection answers.
    spy.answer = AnswerClaim;
    claim = Claim();
    claim.selectedCount = LB_ERR;
    claim.itemsAnswer = LB_ERR;
    claim.current = 6;
    spy.log.clear();
    CHECK_EQ(host::Text("lbGetItemSel", {spy.window}), "7");
    OK_CONTROL_SEQUENCE(spy,
                        {{LB_GETSELCOUNT, host::kBoth, 0, 0},
                         {LB_GETSELITEMS, host::kWParam, 0, 0},
                         {LB_GETCURSEL, host::kBoth, 0, 0}},
                        "single selection");
    claim.current = LB_ERR;
    CHECK_EQ(host::Text("lbGetItemSel", {spy.window}), "0");
    host::DestroySpy(spy);

    // A handle that names no window.
    CHECK_EQ(host::Text("lbGetItemSel", {reinterpret_cast<HWND>(0x7FFF0)}), "0");
}

void EditBoxes() {
    HWND edit = host::CreateChild(Top(), "Edit", WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 250, 200, 24);
    CHECK_EQ(host::Int("ebGetModify", {edit}), 0);
    CHECK_EQ(host::Int("ebSetLenLimit", {edit, 5}), 0);
    CHECK_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 5);
    for (char c : std::string("abcdefgh")) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    char text[32] = "";
    GetWindowTextA(edit, text, sizeof text);
    CHECK_EQ(text, "abcde");  // typing stops at the limit
    CHECK(host::Int("ebGetModify", {edit}) != 0);
    CHECK_EQ(host::Int("ebSetModify", {edit, 0}), 0);
    CHECK_EQ(host::Int("ebGetModify", {edit}), 0);
    CHECK_EQ(host::Int("ebSetModify", {edit, 5}), 5);
    CHECK(host::Int("ebGetModify", {edit}) != 0);
    DestroyWindow(edit);

    host::Spy& spy = ControlSpy();
    spy.answer = [](UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == EM_LIMITTEXT) return r = 33, true;
        if (m == EM_GETMODIFY) return r = 9, true;
        if (m == EM_SETMODIFY) return r = 77, true;
        return false;
    };
    CHECK_EQ(host::Int("ebSetLenLimit", {spy.window, 12}), 33);
    CHECK_EQ(host::Int("ebGetModify", {spy.window}), 9);
    CHECK_EQ(host::Int("ebSetModify", {spy.window, 5}), 5);
    CHECK_EQ(host::Int("ebSetModify", {spy.window, -3}), -3);
    OK_CONTROL_SEQUENCE(spy,
                        {{EM_LIMITTEXT, host::kBoth, 12, 0},
                         {EM_GETMODIFY, host::kBoth, 0, 0},
                         {EM_SETMODIFY, host::kBoth, 5, 0},
                         {EM_SETMODIFY, host::kBoth, W(-3), 0}},
                        "edit box");
    host::DestroySpy(spy);
    CHECK_EQ(host::Int("ebSetModify", {static_cast<HWND>(nullptr), 4}), 4);
}

void Buttons() {
    HWND button = host::CreateChild(Top(), "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 250, 10, 100, 30, 0, "OK");
    CHECK_EQ(GetWindowLongA(button, GWL_STYLE), 0x50010000);
    CHECK_EQ(host::Int("pbSetMultiline", {button, 0}), 1);
    CHECK_EQ(GetWindowLongA(button, GWL_STYLE), 0x50018020);
    CHECK_EQ(host::Int("pbSetMultiline", {button, 3}), 1);
    CHECK_EQ(GetWindowLongA(button, GWL_STYLE), 0x50018020);
    DestroyWindow(button);

    // The style is written directly: the button hears no button message.
    host::Spy& spy = ControlSpy();
    SetWindowLongA(spy.window, GWL_STYLE, 0x50010000);
    spy.log.clear();
    CHECK_EQ(host::Int("pbSetMultiline", {spy.window, 0}), 1);
    CHECK_EQ(GetWindowLongA(spy.window, GWL_STYLE), 0x50018020);
    OK_CONTROL_SEQUENCE(spy, {}, "style change");
    CHECK_EQ(host::Int("pbSetMultiline", {static_cast<HWND>(nullptr), 0}), 1);

    spy.answer = [](UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == BM_SETSTYLE) return r = 9, true;
        return false;
    };
    CHECK_EQ(host::Int("pbLeftAlign", {spy.window, 0}), 9);
    CHECK_EQ(host::Int("pbLeftAlign", {spy.window, 0x1234}), 9);
    OK_CONTROL_SEQUENCE(spy, {{BM_SETSTYLE, host::kBoth, 0x20, 1}, {BM_SETSTYLE, host::kBoth, 0x20, 1}},
                        "left align");
    host::DestroySpy(spy);

    // A default button becomes a plain one. Windows also keeps BS_LEFTTEXT;
    // Wine applies only the type bits, so only those are checked here.
    HWND defaultButton =
        host::CreateChild(Top(), "Button", WS_VISIBLE | BS_DEFPUSHBUTTON, 250, 50, 100, 30, 0, "Default");
    CHECK_EQ(host::Int("pbLeftAlign", {defaultButton, 0}), 0);
    CHECK_EQ(GetWindowLongA(defaultButton, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    DestroyWindow(defaultButton);
}

void ComboBoxes() {
    HWND combo = host::CreateChild(Top(), "ComboBox", WS_VISIBLE | CBS_DROPDOWNLIST, 250, 100, 150, 200);
    for (const char* item : {"one", "two", "three", "four", "five"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    CHECK_EQ(host::Int("cbGetCurSel", {combo}), 0);
    CHECK_EQ(host::Int("cbSetCurSel", {combo, 3}), 3);
    CHECK_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    CHECK_EQ(host::Int("cbGetCurSel", {combo}), 3);
    CHECK_EQ(host::Int("cbSetCurSel", {combo, 1}), 1);
    CHECK_EQ(host::Int("cbGetCurSel", {combo}), 1);
    CHECK_EQ(host::Int("cbSetCurSel", {combo, 0}), 0);  // clears
    CHECK_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    CHECK_EQ(host::Int("cbGetCurSel", {combo}), 0);
    // Beyond the end: CB_ERR. Windows then clears the selection, Wine keeps
    // it, so only the answer is checked on the real control.
    CHECK_EQ(host::Int("cbSetCurSel", {combo, 6}), 0);
    DestroyWindow(combo);

    host::Spy& spy = ControlSpy();
    spy.answer = [](UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m == CB_SETCURSEL) return r = (static_cast<intptr_t>(w) >= 0 && w < 5) ? static_cast<LRESULT>(w) : CB_ERR, true;
        if (m == CB_GETCURSEL) return r = 4, true;
        return false;
    };
    CHECK_EQ(host::Int("cbSetCurSel", {spy.window, 0}), 0);
    CHECK_EQ(host::Int("cbSetCurSel", {spy.window, 9}), 0);
    CHECK_EQ(host::Int("cbSetCurSel", {spy.window, 5}), 5);
    CHECK_EQ(host::Int("cbGetCurSel", {spy.window}), 5);
    OK_CONTROL_SEQUENCE(spy,
                        {{CB_SETCURSEL, host::kBoth, W(-1), 0},
                         {CB_SETCURSEL, host::kBoth, 8, 0},
                         {CB_SETCURSEL, host::kBoth, 4, 0},
                         {CB_GETCURSEL, host::kBoth, 0, 0}},
                        "combo box");
    host::DestroySpy(spy);
    CHECK_EQ(host::Int("cbGetCurSel", {static_cast<HWND>(nullptr)}), 1);
}

void ShowAndRemove() {
    // gzShow ends hidden, after hide, show, hide.
    host::Spy& spy = host::CreateSpy(nullptr);
    spy.recordAll = true;
    ShowWindow(spy.window, SW_SHOWNA);
    spy.log.clear();
    CHECK_EQ(host::Int("gzShow", {spy.window, 1}), 0);
    CHECK(!IsWindowVisible(spy.window));
    std::vector<WPARAM> shows;
    for (const host::Message& m : spy.log)
        if (m.message == WM_SHOWWINDOW) shows.push_back(m.wParam);
    CHECK_EQ(shows.size(), 3u);
    if (shows.size() == 3) CHECK(shows[0] == FALSE && shows[1] == TRUE && shows[2] == FALSE);
    CHECK_EQ(host::Int("gzShow", {spy.window, 0}), 0);
    CHECK(!IsWindowVisible(spy.window));
    host::DestroySpy(spy);

    HWND child = host::CreateChild(Top(), "Button", WS_VISIBLE, 400, 10, 80, 30);
    CHECK(IsWindowVisible(child));
    CHECK_EQ(host::Int("gzShow", {child, 0}), 0);
    CHECK(!IsWindowVisible(child));

    CHECK_EQ(host::Int("RemoveControl", {child}), 1);
    CHECK(!IsWindow(child));
    CHECK_EQ(host::Int("RemoveControl", {child}), 1);
    CHECK_EQ(host::Int("gzShow", {child, 0}), 0);
}

void RedrawAndClass() {
    // Painting that is due is dropped, in the children too.
    HWND parent = host::CreateChild(Top(), "Static", WS_VISIBLE, 10, 300, 200, 100);
    host::Spy& spy = host::CreateSpy(parent);
    spy.recordAll = true;
    ShowWindow(spy.window, SW_SHOWNA);
    host::Pump();
    InvalidateRect(parent, nullptr, TRUE);
    InvalidateRect(spy.window, nullptr, TRUE);
    spy.log.clear();
    CHECK_EQ(host::Int("RedrawControl", {parent, 0}), 1);
    CHECK(!GetUpdateRect(parent, nullptr, FALSE));
    CHECK(!GetUpdateRect(spy.window, nullptr, FALSE));
    bool painted = false;
    for (const host::Message& m : spy.log) painted = painted || m.message == WM_PAINT;
    CHECK(!painted);
    CHECK_EQ(host::Int("RedrawControl", {reinterpret_cast<HWND>(0x7FFF0), 0}), 1);

    CHECK_EQ(host::Text("DCCompatible", {spy.window, 0}), "TabulonSpy");
    CHECK_EQ(host::Text("DCCompatible", {parent, 0}), "Static");
    HWND list = MakeListBox(0, 0);
    CHECK_EQ(host::Text("DCCompatible", {list, 0}), "ListBox");
    DestroyWindow(list);
    host::DestroySpy(spy);
    DestroyWindow(parent);
    CHECK_EQ(host::Text("DCCompatible", {parent, 0}), "");
    CHECK_EQ(host::Text("DCCompatible", {reinterpret_cast<HWND>(0x7FFF0), 0}), "");
}

void TaskBar() {
    // Stand-ins for the shell's windows. Wine's own desktop may already hold
    // windows of these classes, so the check follows whatever the same
    // look-ups find.
    host::Spy& tray = host::CreateSpy(nullptr, "Shell_TrayWnd");
    HWND start = CreateWindowExA(0, "Button", "Start", WS_POPUP | WS_VISIBLE, 0, 440, 60, 30, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ShowWindow(tray.window, SW_SHOWNA);
    host::Pump();
    const HWND foundTray = FindWindowA("Shell_TrayWnd", nullptr);
    const HWND foundStart = FindWindowExA(GetDesktopWindow(), nullptr, "Button", nullptr);
    CHECK(foundTray != nullptr);
    CHECK(foundStart != nullptr);
    ShowWindow(foundTray, SW_SHOWNA);
    ShowWindow(foundStart, SW_SHOWNA);

    CHECK(host::Int("wnTaskBar", {SW_HIDE}) != 0);
    CHECK(!IsWindowVisible(foundTray));
    CHECK(!IsWindowVisible(foundStart));
    CHECK_EQ(host::Int("wnTaskBar", {SW_HIDE}), 0);  // the button was hidden already
    CHECK_EQ(host::Int("wnTaskBar", {SW_SHOW}), 0);
    CHECK(IsWindowVisible(foundTray));
    CHECK(IsWindowVisible(foundStart));
    CHECK(host::Int("wnTaskBar", {SW_SHOW}) != 0);

    host::DestroySpy(tray);
    DestroyWindow(start);
}

}  // namespace

int main() {
    host::Start();
    Top();
    check::Group("list box queries", ListBoxQueries);
    check::Group("list box single deletes", DeleteSingleItems);
    check::Group("list box delete problems", DeleteProblems);
    check::Group("list box deletes by scope", DeleteByScope);
    check::Group("list box selection text", SelectedItemsText);
    check::Group("list box selection bounds", SelectedItemsBounds);
    check::Group("edit boxes", EditBoxes);
    check::Group("buttons", Buttons);
    check::Group("combo boxes", ComboBoxes);
    check::Group("show and remove", ShowAndRemove);
    check::Group("redraw and class name", RedrawAndClass);
    check::Group("taskbar", TaskBar);
    return check::Finish();
}
