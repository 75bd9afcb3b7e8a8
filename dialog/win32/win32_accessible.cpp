// A control's accessible object with the program's name and description put in: the system's
// own object for the control, wrapped, every other question passed on to it.
#include "dialog/win32/win32_accessible.h"

// after <windows.h>, which they need
#include <commctrl.h>
#include <oleacc.h>

#include <new>

#include "dialog/win32/win32_windows.h"
#include "text/wide.h"

namespace {

// The functions of the accessibility libraries, loaded on the first request for them: most
// runs of the program never see a screen reader, and the libraries would cost each start.
struct AccessibilityLibraries {
  using CreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  using AllocateString = BSTR(WINAPI*)(const OLECHAR*);
  CreateStandard createStandard = nullptr;
  FromObject fromObject = nullptr;
  AllocateString allocateString = nullptr;
  bool loaded = false;
};

const AccessibilityLibraries& Libraries() {
  static const AccessibilityLibraries libraries = [] {
    AccessibilityLibraries loaded;
    // The object is handed over through COM, which the thread must have joined.
    if (!JoinComApartment()) return loaded;
    const HMODULE oleacc = SystemLibrary(L"oleacc.dll");
    loaded.createStandard =
        Procedure<AccessibilityLibraries::CreateStandard>(oleacc, "CreateStdAccessibleObject");
    loaded.fromObject = Procedure<AccessibilityLibraries::FromObject>(oleacc, "LresultFromObject");
    loaded.allocateString = Procedure<AccessibilityLibraries::AllocateString>(
        SystemLibrary(L"oleaut32.dll"), "SysAllocString");
    loaded.loaded = loaded.createStandard && loaded.fromObject && loaded.allocateString;
    return loaded;
  }();
  return libraries;
}

// The texts a control gives, kept with its subclass.
struct AccessibleTexts {
  std::wstring name;
  std::wstring description;
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class TextedAccessible final : public IAccessible {
 public:
  TextedAccessible(IAccessible* inner, const AccessibleTexts& texts)
      : inner_(inner), texts_(texts) {}
  TextedAccessible(const TextedAccessible&) = delete;
  TextedAccessible& operator=(const TextedAccessible&) = delete;

  // IUnknown. Interfaces beyond IAccessible's own (IOleWindow, IEnumVARIANT) are the system
  // object's.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return inner_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return inner_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return inner_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return inner_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong) override {
    return inner_->Invoke(member, iid, locale, flags, parameters, result, exception, wrong);
  }

  // IAccessible: the name and the description of the control itself are ours.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child) && !texts_.name.empty()) return Give(texts_.name, name);
    return inner_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (IsSelf(child) && !texts_.description.empty()) return Give(texts_.description, description);
    return inner_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return inner_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return inner_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return inner_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return inner_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return inner_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return inner_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return inner_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return inner_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return inner_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return inner_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return inner_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return inner_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return inner_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return inner_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return inner_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return inner_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return inner_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return inner_->put_accValue(child, value);
  }

 private:
  ~TextedAccessible() { inner_->Release(); }

  static HRESULT Give(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = Libraries().allocateString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  IAccessible* inner_;
  AccessibleTexts texts_;
  LONG references_ = 1;
};

constexpr UINT_PTR SUBCLASS_ID = 0x0DD5;
// The control's texts, found again when they change.
constexpr char TEXTS_PROPERTY[] = "Oddsmith.AccessibleTexts";

LRESULT CALLBACK AnswerAccessible(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data) {
  auto* texts = reinterpret_cast<AccessibleTexts*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, AnswerAccessible, id);
    RemovePropA(control, TEXTS_PROPERTY);
    delete texts;
  } else if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    const AccessibilityLibraries& libraries = Libraries();
    IAccessible* inner = nullptr;
    if (libraries.loaded &&
        SUCCEEDED(libraries.createStandard(control, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&inner)))) {
      TextedAccessible* wrapped = nullptr;
      try {
        wrapped = new TextedAccessible(inner, *texts);  // copies the texts
      } catch (const std::bad_alloc&) {
        wrapped = nullptr;
      }
      if (!wrapped) {
        inner->Release();
      } else {
        const LRESULT result = libraries.fromObject(__uuidof(IAccessible), wParam, wrapped);
        wrapped->Release();  // the result holds its own reference
        return result;
      }
    }
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool SetAccessibleTexts(HWND control, const std::string& name, const std::string& description) try {
  if (auto* texts = static_cast<AccessibleTexts*>(GetPropA(control, TEXTS_PROPERTY))) {
    texts->name = WideFromUtf8(name);
    texts->description = WideFromUtf8(description);
    return true;
  }
  if (name.empty() && description.empty()) return true;  // the system's own, as it is
  auto* texts = new (std::nothrow) AccessibleTexts{WideFromUtf8(name), WideFromUtf8(description)};
  if (!texts) return false;
  if (!SetPropA(control, TEXTS_PROPERTY, texts)) {
    delete texts;
    return false;
  }
  if (SetWindowSubclass(control, AnswerAccessible, SUBCLASS_ID,
                        reinterpret_cast<DWORD_PTR>(texts))) {
    return true;
  }
  RemovePropA(control, TEXTS_PROPERTY);
  delete texts;
  return false;
} catch (const std::bad_alloc&) {
  return false;  // called from window procedures: no exception may leave
}
