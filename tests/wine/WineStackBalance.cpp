// A 32-bit hall's calls, made the way a hall's binary makes them: by slot number, with the arguments
// pushed as 32-bit words (a 64-bit value as two, low first), `this` pushed last, and the callee expected
// to remove them all. Every slot of the table's interface is called so, the reserved ones with the number
// of words the hall passes, and after each call the stack pointer must be back where it was and the
// registers a callee must keep (EBX, ESI, EDI) unchanged. The host interface's slots are called the same
// way on this program's own host object: the table calls its host through the same declarations, so a
// host built from them removes exactly the words the table pushed. While the table runs, every host
// operation it calls back checks that the hall's cookie, the first two words after `this`, came back
// whole: a table that passed `this` in ECX (GCC's own default for member functions) or pushed a word
// too many or too few would shift it. Before any call, the declarations' slot numbers are compared
// with the hall's.
//   wine_stack_balance <path of Morvane.dll>
// Exits 0 only when every check held; each check prints one line.
#include "plugin/QXOpenInterface_TLB.h"
#include "tests/wine/WineHall.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#if !defined(__i386__)
#error "the stack balance test calls 32-bit code by hand; it is built for i686 only"
#endif

namespace {

using namespace morvane::wine;
using Words = std::vector<std::uint32_t>;

constexpr const char* kClassIdText = MORVANE_CLASS_ID;
constexpr std::int64_t kCookie = 0x1122334455667788;
constexpr std::int64_t kMe = 0x0000000A0000B00C;

// What one call by slot left behind: how far the stack pointer moved (0 when the callee removed exactly
// the words pushed) and which of EBX (1), ESI (2), EDI (4) it did not keep.
struct TSlotCall {
    std::int32_t stackDrift{0};
    std::uint32_t clobbered{0};
};

// Pushes `count` words from `args` (the first one last, so that it lies nearest the return address), then
// `object`, and calls slot `slot` of the object's table of functions. ECX and EDX are zero at the call, so
// a callee that looked for `this` in ECX would not find it. The stack pointer is restored from the frame
// afterwards whatever the callee did, so one faulty slot cannot spoil the checks after it.
extern "C" std::int32_t CallComSlot(void* object, std::int32_t slot, const std::uint32_t* args,
                                    std::int32_t count, TSlotCall* result) asm("morvane_call_com_slot");
asm(R"(
    .text
    .globl morvane_call_com_slot
morvane_call_com_slot:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    subl $4, %esp
    movl %esp, -16(%ebp)
    movl 16(%ebp), %esi
    movl 20(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  movl 8(%ebp), %eax
    pushl %eax
    movl (%eax), %eax
    movl 12(%ebp), %edx
    movl (%eax,%edx,4), %eax
    movl $0x11111111, %ebx
    movl $0x22222222, %esi
    movl $0x33333333, %edi
    xorl %ecx, %ecx
    xorl %edx, %edx
    call *%eax
    movl %esp, %ecx
    subl -16(%ebp), %ecx
    movl 24(%ebp), %edx
    movl %ecx, (%edx)
    xorl %ecx, %ecx
    cmpl $0x11111111, %ebx
    je 3f
    orl $1, %ecx
3:  cmpl $0x22222222, %esi
    je 4f
    orl $2, %ecx
4:  cmpl $0x33333333, %edi
    je 5f
    orl $4, %ecx
5:  movl %ecx, 4(%edx)
    movl -16(%ebp), %esp
    addl $4, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

std::uint32_t Word(const void* pointer) {
    return std::uint32_t(reinterpret_cast<std::uintptr_t>(pointer));
}

void PutWords(Words& words, std::int64_t value) {
    words.push_back(std::uint32_t(std::uint64_t(value)));
    words.push_back(std::uint32_t(std::uint64_t(value) >> 32));
}

// The slot a virtual member function occupies, read from GCC's representation of a pointer to it: the
// slot's byte offset in the table plus one.
template <typename TMember>
int SlotOf(TMember member) {
    struct {
        std::uintptr_t function;
        std::ptrdiff_t adjustment;
    } raw;
    static_assert(sizeof raw == sizeof member);
    std::memcpy(&raw, &member, sizeof raw);
    if ((raw.function & 1) == 0) return -1;
    return int((raw.function - 1) / sizeof(void*));
}

struct TSlot {
    const char* name;
    int declared; // the slot of the declaration with that name
    std::int32_t words;
};

// The hall's numbering, IUnknown's three slots included, with the words each slot takes besides `this`.
const std::array<TSlot, 16> kTableSlots{{
    {"QueryInterface", SlotOf(&morvane::IQXOpenInterface::QueryInterface), 2},
    {"AddRef", SlotOf(&morvane::IQXOpenInterface::AddRef), 0},
    {"Release", SlotOf(&morvane::IQXOpenInterface::Release), 0},
    {"GetPluginCode", SlotOf(&morvane::IQXOpenInterface::GetPluginCode), 1},
    {"SetRequestInterface", SlotOf(&morvane::IQXOpenInterface::SetRequestInterface), 1},
    {"Initialize", SlotOf(&morvane::IQXOpenInterface::Initialize), 9},
    {"Reserved3", SlotOf(&morvane::IQXOpenInterface::Reserved3), 7},
    {"Reserved4", SlotOf(&morvane::IQXOpenInterface::Reserved4), 11},
    {"Reserved5", SlotOf(&morvane::IQXOpenInterface::Reserved5), 6},
    {"Reserved6", SlotOf(&morvane::IQXOpenInterface::Reserved6), 7},
    {"Finalize", SlotOf(&morvane::IQXOpenInterface::Finalize), 0},
    {"ShowPluginWindow", SlotOf(&morvane::IQXOpenInterface::ShowPluginWindow), 1},
    {"UpdateUserName", SlotOf(&morvane::IQXOpenInterface::UpdateUserName), 3},
    {"Reserved10", SlotOf(&morvane::IQXOpenInterface::Reserved10), 3},
    {"ShowSystemText", SlotOf(&morvane::IQXOpenInterface::ShowSystemText), 2},
    {"PostCommand", SlotOf(&morvane::IQXOpenInterface::PostCommand), 2},
}};

using Req = morvane::IQXOpenInterfaceReq;
const std::array<TSlot, 22> kHostSlots{{
    {"QueryInterface", SlotOf(&Req::QueryInterface), 2},
    {"AddRef", SlotOf(&Req::AddRef), 0},
    {"Release", SlotOf(&Req::Release), 0},
    {"GetHostTag", SlotOf(&Req::GetHostTag), 1},
    {"Reserved1", SlotOf(&Req::Reserved1), 0},
    {"Reserved2", SlotOf(&Req::Reserved2), 0},
    {"Reserved3", SlotOf(&Req::Reserved3), 0},
    {"Reserved4", SlotOf(&Req::Reserved4), 0},
    {"FilterText", SlotOf(&Req::FilterText), 5},
    {"Reserved6", SlotOf(&Req::Reserved6), 0},
    {"Reserved7", SlotOf(&Req::Reserved7), 0},
    {"Invite", SlotOf(&Req::Invite), 4},
    {"Reserved9", SlotOf(&Req::Reserved9), 0},
    {"Reserved10", SlotOf(&Req::Reserved10), 0},
    {"PluginClosed", SlotOf(&Req::PluginClosed), 2},
    {"Reserved12", SlotOf(&Req::Reserved12), 0},
    {"GetHostDirectory", SlotOf(&Req::GetHostDirectory), 3},
    {"GetFaceImageList", SlotOf(&Req::GetFaceImageList), 3},
    {"Reserved15", SlotOf(&Req::Reserved15), 0},
    {"Reserved16", SlotOf(&Req::Reserved16), 0},
    {"Reserved17", SlotOf(&Req::Reserved17), 0},
    {"SendData", SlotOf(&Req::SendData), 6},
}};

template <std::size_t N>
void SlotOrderChecks(TChecks& checks, const std::array<TSlot, N>& slots, const std::string& side) {
    for (std::size_t slot = 0; slot < N; ++slot)
        checks.Check(slots[slot].declared == int(slot),
                     side + "::" + slots[slot].name + " is declared in slot " + std::to_string(slot) +
                         " (found " + std::to_string(slots[slot].declared) + ")");
}

// The host: every slot notes that it was reached, and the ones that carry the cookie check it.
class TProbeHost final : public morvane::IQXOpenInterfaceReq {
public:
    struct TArrivals {
        int calls{0};
        int wrongCookie{0};
    };
    std::array<TArrivals, 22> arrivals{};
    int lastSlot{-1};
    std::int64_t cookie{kCookie};
    std::vector<Bytes> sent;
    int filtered{0};

    int Calls(const char* name) const {
        for (std::size_t slot = 0; slot < kHostSlots.size(); ++slot)
            if (std::strcmp(kHostSlots[slot].name, name) == 0) return arrivals[slot].calls;
        return -1;
    }

    morvane::HRESULT __stdcall QueryInterface(const morvane::IID& riid, void** object) override {
        Arrive(0);
        *object = riid == morvane::IID_IUnknown || riid == morvane::IID_IQXOpenInterfaceReq ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    morvane::ULONG __stdcall AddRef() override {
        Arrive(1);
        return ++references_;
    }
    morvane::ULONG __stdcall Release() override {
        Arrive(2);
        return --references_;
    }
    morvane::HRESULT __stdcall GetHostTag(void* tag) override {
        Arrive(3);
        std::memset(tag, 0x5A, 8);
        return S_OK;
    }
    morvane::HRESULT __stdcall FilterText(std::int64_t from, const char* src, std::int32_t srcLen, char** dst,
                                          std::int32_t* dstLen) override {
        Arrive(8, from);
        ++filtered;
        const std::int32_t length = std::min(srcLen, *dstLen);
        std::memcpy(*dst, src, std::size_t(length));
        *dstLen = length;
        return S_OK;
    }
    morvane::HRESULT __stdcall Invite(std::int64_t from, std::int32_t, std::int32_t) override {
        Arrive(11, from);
        return S_OK;
    }
    morvane::HRESULT __stdcall PluginClosed(std::int64_t from) override {
        Arrive(14, from);
        return S_OK;
    }
    morvane::HRESULT __stdcall GetHostDirectory(std::int64_t from, char** buffer) override {
        Arrive(16, from);
        std::strcpy(*buffer, "C:\\Hall");
        return S_OK;
    }
    morvane::HRESULT __stdcall GetFaceImageList(std::int64_t from, morvane::TImageList** list) override {
        Arrive(17, from);
        *list = nullptr;
        return S_OK;
    }
    morvane::HRESULT __stdcall SendData(std::int64_t from, std::int64_t, std::int32_t len,
                                        const void* buffer) override {
        Arrive(21, from);
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        sent.emplace_back(bytes, bytes + len);
        return S_OK;
    }

#define MORVANE_RESERVED_SLOT(name, slot)                                                                    \
    morvane::HRESULT __stdcall name() override {                                                             \
        Arrive(slot);                                                                                        \
        return E_FAIL;                                                                                       \
    }
    MORVANE_RESERVED_SLOT(Reserved1, 4)
    MORVANE_RESERVED_SLOT(Reserved2, 5)
    MORVANE_RESERVED_SLOT(Reserved3, 6)
    MORVANE_RESERVED_SLOT(Reserved4, 7)
    MORVANE_RESERVED_SLOT(Reserved6, 9)
    MORVANE_RESERVED_SLOT(Reserved7, 10)
    MORVANE_RESERVED_SLOT(Reserved9, 12)
    MORVANE_RESERVED_SLOT(Reserved10, 13)
    MORVANE_RESERVED_SLOT(Reserved12, 15)
    MORVANE_RESERVED_SLOT(Reserved15, 18)
    MORVANE_RESERVED_SLOT(Reserved16, 19)
    MORVANE_RESERVED_SLOT(Reserved17, 20)
#undef MORVANE_RESERVED_SLOT

private:
    void Arrive(int slot) {
        lastSlot = slot;
        ++arrivals[std::size_t(slot)].calls;
    }
    void Arrive(int slot, std::int64_t from) {
        Arrive(slot);
        if (from != cookie) ++arrivals[std::size_t(slot)].wrongCookie;
    }

    morvane::ULONG references_{0};
};

std::string Described(const TSlotCall& call) {
    std::string text = "stack moved by " + std::to_string(call.stackDrift) + " bytes";
    if (call.clobbered) text += ", callee-saved registers lost (mask " + std::to_string(call.clobbered) + ")";
    return text;
}

// Calls one slot by number and checks the stack and registers afterwards; returns the slot's result.
template <std::size_t N>
morvane::HRESULT CallChecked(TChecks& checks, void* object, const std::array<TSlot, N>& slots,
                             std::size_t slot, const Words& args, const std::string& side) {
    TSlotCall call;
    const std::int32_t words = slots[slot].words;
    if (std::int32_t(args.size()) != words) {
        checks.Check(false, side + "::" + slots[slot].name + " is called with " + std::to_string(words) +
                                " words (the test gave " + std::to_string(args.size()) + ")");
        return E_FAIL;
    }
    const std::int32_t result = CallComSlot(object, std::int32_t(slot), args.data(), words, &call);
    checks.Check(call.stackDrift == 0 && call.clobbered == 0,
                 side + "::" + slots[slot].name + " (slot " + std::to_string(slot) + ", " +
                     std::to_string(words) + " words) leaves the stack balanced: " + Described(call));
    return result;
}

// Every slot of the host, called by number on a host of its own; each must arrive at its own method.
void HostSlotChecks(TChecks& checks) {
    TProbeHost host;
    auto call = [&](std::size_t slot, const Words& args) {
        host.lastSlot = -1;
        const morvane::HRESULT result = CallChecked(checks, &host, kHostSlots, slot, args, "host");
        checks.Check(host.lastSlot == int(slot) && host.arrivals[slot].wrongCookie == 0,
                     std::string("host::") + kHostSlots[slot].name + " is reached, with the cookie whole");
        return result;
    };
    Words cookie;
    PutWords(cookie, kCookie);
    auto withCookie = [&](Words rest) {
        Words words = cookie;
        words.insert(words.end(), rest.begin(), rest.end());
        return words;
    };

    void* object = nullptr;
    checks.Check(call(0, {Word(&morvane::IID_IQXOpenInterfaceReq), Word(&object)}) == S_OK && object == &host,
                 "host::QueryInterface answers for its interface");
    call(1, {});
    call(2, {});
    std::array<std::uint8_t, 8> tag{};
    call(3, {Word(tag.data())});
    checks.Check(tag[0] == 0x5A && tag[7] == 0x5A, "host::GetHostTag wrote its 8 bytes");
    const char text[] = "hello";
    std::array<char, 16> filteredText{};
    char* filteredOut = filteredText.data();
    std::int32_t filteredLength = std::int32_t(filteredText.size());
    call(8, withCookie({Word(text), 5, Word(&filteredOut), Word(&filteredLength)}));
    checks.Check(filteredLength == 5 && std::string(filteredText.data()) == "hello",
                 "host::FilterText gave the line back");
    call(11, withCookie({0, 0}));
    call(14, withCookie({}));
    std::array<char, 260> folder{};
    char* folderOut = folder.data();
    call(16, withCookie({Word(&folderOut)}));
    checks.Check(std::string(folder.data()) == "C:\\Hall", "host::GetHostDirectory wrote its folder");
    morvane::TImageList* faces = reinterpret_cast<morvane::TImageList*>(&folder);
    call(17, withCookie({Word(&faces)}));
    const std::uint8_t frame[] = {1, 2, 3};
    call(21, withCookie({7, 0, 3, Word(frame)}));
    checks.Check(host.sent.size() == 1 && Hex(host.sent[0]) == "010203", "host::SendData took the frame");
    for (std::size_t slot : {4, 5, 6, 7, 9, 10, 12, 13, 15, 18, 19, 20})
        call(slot, {});
}

struct TTableRun {
    void* object{nullptr};
    TProbeHost host;
};

morvane::HRESULT TableCall(TChecks& checks, TTableRun& table, std::size_t slot, const Words& args) {
    return CallChecked(checks, table.object, kTableSlots, slot, args, "table");
}

// Every slot of the table, by number, in the order a hall's session uses them, with the reserved ones
// between; each call's effect shows it reached the method of that name.
void TableSlotChecks(TChecks& checks, TTableRun& table) {
    void* same = nullptr;
    checks.Check(TableCall(checks, table, 0, {Word(&morvane::IID_IQXOpenInterface), Word(&same)}) == S_OK &&
                     same == table.object,
                 "table::QueryInterface answers with the object");
    const morvane::HRESULT added = TableCall(checks, table, 1, {});
    const morvane::HRESULT left = TableCall(checks, table, 2, {});
    checks.Check(added >= 2 && left == added - 1, "table::AddRef and Release count references");
    TableCall(checks, table, 2, {}); // the reference QueryInterface gave

    std::int32_t code = 0;
    checks.Check(TableCall(checks, table, 3, {Word(&code)}) == S_OK && code == 1,
                 "table::GetPluginCode says the object has its form and hub");

    checks.Check(TableCall(checks, table, 4, {Word(&table.host)}) == S_OK &&
                     table.host.Calls("GetHostTag") == 1,
                 "table::SetRequestInterface takes the host and asks for its tag");

    const char title[] = "Table 9";
    const char nick[] = "Nick";
    const std::int64_t me = kMe;
    Words init;
    PutWords(init, kCookie);
    init.insert(init.end(), {Word(title), Word(&me), Word(nick), 0, 0, 0, 0});
    checks.Check(TableCall(checks, table, 5, init) == S_OK, "table::Initialize succeeds");
    checks.Check(FindWindowW(nullptr, L"Table 9[Nick]") != nullptr,
                 "the window is captioned with the title and nick passed as words");
    checks.Check(table.host.Calls("GetHostDirectory") == 1 && table.host.Calls("GetFaceImageList") == 1,
                 "Initialize asked the host for its folder and faces");
    Bytes ready{3};
    PutI64(ready, kMe);
    ready.push_back(2);
    checks.Check(table.host.sent.size() == 1 && Hex(table.host.sent[0]) == Hex(ready),
                 "the table announced readiness with the user identity passed by address");

    checks.Check(TableCall(checks, table, 6, {1, 2, 3, 4, 5, 6, 7}) == S_OK, "table::Reserved3 answers");
    checks.Check(TableCall(checks, table, 7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}) == S_OK,
                 "table::Reserved4 answers");
    checks.Check(TableCall(checks, table, 8, {1, 2, 3, 4, 5, 6}) == S_OK, "table::Reserved5 answers");
    checks.Check(TableCall(checks, table, 9, {1, 2, 3, 4, 5, 6, 7}) == S_OK, "table::Reserved6 answers");
    checks.Check(TableCall(checks, table, 11, {2}) == S_OK, "table::ShowPluginWindow answers");
    checks.Check(FAILED(TableCall(checks, table, 12, {Word(&me), Word(nick), 70000})),
                 "table::UpdateUserName refuses a value above 65535");
    checks.Check(TableCall(checks, table, 12, {Word(&me), Word(nick), 5}) == S_OK,
                 "table::UpdateUserName takes a value in range");
    checks.Check(TableCall(checks, table, 13, {1, 2, 3}) == S_OK, "table::Reserved10 answers");

    const Bytes userList{9, 0, 0, 0, 0};
    checks.Check(TableCall(checks, table, 14, {std::uint32_t(userList.size()), Word(userList.data())}) ==
                         S_OK &&
                     table.host.sent.size() == 1,
                 "table::ShowSystemText shows the bytes as a line and sends nothing");
    checks.Check(TableCall(checks, table, 15, {std::uint32_t(userList.size()), Word(userList.data())}) ==
                         S_OK &&
                     table.host.sent.size() == 2 && Hex(table.host.sent.back()) == "0d0001",
                 "table::PostCommand takes the bytes as a frame: a user list, answered by a seat request");
    Bytes systemLine{31};
    PutI64(systemLine, 0);
    for (char c : std::string("hello"))
        systemLine.push_back(std::uint8_t(c));
    checks.Check(TableCall(checks, table, 15, {std::uint32_t(systemLine.size()), Word(systemLine.data())}) ==
                         S_OK &&
                     table.host.filtered == 1,
                 "a system line is passed through the host's filter");

    checks.Check(TableCall(checks, table, 10, {}) == S_OK && table.host.Calls("PluginClosed") == 1,
                 "table::Finalize tells the host the table has closed");
}

// Every host operation the table called came with the hall's cookie whole.
void CallbackChecks(TChecks& checks, const TProbeHost& host) {
    for (const char* name :
         {"GetHostTag", "FilterText", "PluginClosed", "GetHostDirectory", "GetFaceImageList", "SendData"}) {
        std::size_t slot = 0;
        while (std::strcmp(kHostSlots[slot].name, name) != 0)
            ++slot;
        const TProbeHost::TArrivals& arrival = host.arrivals[slot];
        checks.Check(arrival.calls > 0 && arrival.wrongCookie == 0,
                     std::string("the table called host::") + name + " " + std::to_string(arrival.calls) +
                         " times, the cookie wrong in " + std::to_string(arrival.wrongCookie));
    }
}

} // namespace

int main(int argc, char** argv) {
    TChecks checks;
    if (argc < 2) {
        std::fprintf(stderr, "usage: wine_stack_balance <path of Morvane.dll>\n");
        return 2;
    }
    SlotOrderChecks(checks, kTableSlots, "IQXOpenInterface");
    SlotOrderChecks(checks, kHostSlots, "IQXOpenInterfaceReq");
    HostSlotChecks(checks);

    const std::string dllPath = WindowsPath(argv[1]);
    HMODULE library = LoadLibraryW(Wide(dllPath).c_str());
    checks.Check(library != nullptr, "the library loads: " + dllPath);
    if (!library) return 1;
    using TGetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<TGetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
    CLSID classId{};
    CLSIDFromString(Wide(kClassIdText).c_str(), &classId);
    IClassFactory* factory = nullptr;
    checks.Check(getClassObject &&
                     getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK &&
                     factory,
                 "the library serves its class factory");
    if (!factory) return 1;

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TTableRun table;
    checks.Check(factory->CreateInstance(nullptr, reinterpret_cast<const IID&>(morvane::IID_IQXOpenInterface),
                                         &table.object) == S_OK &&
                     table.object,
                 "the factory makes a table object");
    factory->Release();
    if (!table.object) return 1;

    TableSlotChecks(checks, table);
    CallbackChecks(checks, table.host);
    checks.Check(TableCall(checks, table, 2, {}) == 0, "the last Release frees the table");
    CoUninitialize();

    std::printf("%d checks failed\n", checks.Failures());
    return checks.Failures() == 0 ? 0 : 1;
}
