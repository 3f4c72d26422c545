#include "dpi_layout.h"

#include "app_state.h"
#include "dialog_template.h"
#include "dpi_scale.h"

// Newer than Windows XP, so found at run time: the 32-bit program must still
// start where they are missing (there the system's resolution holds for
// every monitor and WM_DPICHANGED never comes).
typedef UINT(WINAPI *GetDpiForWindowFunction)(HWND);
typedef BOOL(WINAPI *SetDialogDpiChangeBehaviorFunction)(HWND, int mask, int values);
typedef BOOL(WINAPI *AdjustWindowRectExForDpiFunction)(RECT *, DWORD, BOOL, DWORD, UINT);
typedef int(WINAPI *GetSystemMetricsForDpiFunction)(int, UINT);
typedef HRESULT(WINAPI *GetDpiForMonitorFunction)(HMONITOR, int type, UINT *, UINT *);

constexpr int kDialogDisableAll = 1;  // DDC_DISABLE_ALL
constexpr int kEffectiveDpi = 0;      // MDT_EFFECTIVE_DPI

template <typename Function>
static Function FindFunction(const wchar_t *module, const char *name) {
  HMODULE handle = GetModuleHandleW(module);
  if (handle == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle, name)));
}

// The main window's template, read once from the resources.
static DialogTemplateUnits Template;
static bool TemplateRead = false;

static int Dpi = kDesignDpi;            // the resolution the window is laid out for
static int ClientWidth = 0;             // the template's width at Dpi; 0: as created
static HFONT LayoutFont = nullptr;      // the dialog font at Dpi, made here (not the dialog manager's)
static HICON BigIcon = nullptr;         // the window's icons at Dpi, made here
static HICON SmallIcon = nullptr;
static bool PlacingAtStart = false;     // the stored position wins over a suggested one
static bool SizePending = false;        // changed while minimised: size when restored

int WindowDpi() { return Dpi; }

int WindowClientWidth() { return ClientWidth; }

static void ReadTemplate() {
  if (TemplateRead) return;
  // Any language of the template will do: they share one geometry.
  HRSRC found = FindResourceW(State.Instance, L"VexClass300", MAKEINTRESOURCEW(5));  // RT_DIALOG
  HGLOBAL loaded = found != nullptr ? LoadResource(State.Instance, found) : nullptr;
  const void *bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return;
  TemplateRead = ReadDialogTemplate(static_cast<const unsigned char *>(bytes),
                                    SizeofResource(State.Instance, found), &Template) &&
                 Template.pointSize > 0;
}

static int ReadScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kDesignDpi;
  int dpi = ClampDpi(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi != 0 ? dpi : kDesignDpi;
}

void StartWindowDpi(HWND window) {
  ReadTemplate();
  // The resolution the dialog manager made the window at: the window's own
  // where the system knows one per window, else the system's.
  auto getDpi = FindFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  int windowDpi = getDpi != nullptr ? ClampDpi(static_cast<int>(getDpi(window))) : 0;
  Dpi = windowDpi != 0 ? windowDpi : ReadScreenDpi();
  ClientWidth = 0;
  SizePending = false;
  PlacingAtStart = true;
  // The dialog manager's own rescaling would move the controls a second
  // time; failure (an older system) leaves nothing to switch off.
  auto setBehavior = FindFunction<SetDialogDpiChangeBehaviorFunction>(
      L"user32.dll", "SetDialogDpiChangeBehavior");
  if (setBehavior != nullptr) setBehavior(window, kDialogDisableAll, kDialogDisableAll);
}

// The template's font at dpi; nullptr when it cannot be made.
static HFONT MakeTemplateFont(int dpi) {
  if (!TemplateRead) return nullptr;
  LOGFONTW description = {};
  description.lfHeight = ComputeDialogFontHeight(Template.pointSize, dpi);
  description.lfWeight = Template.weight;
  description.lfItalic = Template.italic ? TRUE : FALSE;
  description.lfCharSet = static_cast<BYTE>(Template.charset);
  for (int i = 0; i < kTemplateFaceSize && i < LF_FACESIZE; ++i) {
    description.lfFaceName[i] = static_cast<wchar_t>(Template.face[i]);
  }
  description.lfFaceName[LF_FACESIZE - 1] = L'\0';
  return CreateFontIndirectW(&description);
}

// The base units as the dialog manager takes them from its font: the
// height of its characters and the width of the 52 letters.
static DialogBaseUnits MeasureBaseUnits(HFONT font) {
  static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  TEXTMETRICW metrics = {};
  SIZE extent = {};
  HDC screen = GetDC(nullptr);
  if (screen != nullptr) {
    HGDIOBJ previous = SelectObject(screen, font);
    GetTextMetricsW(screen, &metrics);
    GetTextExtentPoint32W(screen, kLetters, 52, &extent);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
  }
  return ComputeBaseUnits(extent.cx, metrics.tmHeight);
}

static const TemplateItem *FindTemplateItem(UINT id) {
  for (int i = 0; i < Template.itemCount; ++i) {
    if (Template.items[i].id == id) return &Template.items[i];
  }
  return nullptr;
}

// GetSystemMetricsForDpi where the system has it; else the metric of the
// system's resolution, scaled.
static int ReadMetricForDpi(int metric, int dpi) {
  auto forDpi = FindFunction<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(metric, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(metric), dpi, ReadScreenDpi());
}

static void ReplaceIcon(HWND window, WPARAM which, int size, HICON *kept) {
  HICON icon = static_cast<HICON>(
      LoadImageW(State.Instance, L"vexIcon", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (icon == nullptr) return;
  SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  if (*kept != nullptr) DestroyIcon(*kept);
  *kept = icon;
}

// Every control where the template puts it at dpi, in the template's font at
// dpi, as the dialog manager creates them: place first, then the font (the
// combo box takes its closed height from the font).
static bool LayOutControls(HWND window, int dpi) {
  HFONT font = MakeTemplateFont(dpi);
  if (font == nullptr) return false;
  DialogBaseUnits base = MeasureBaseUnits(font);
  for (int i = 0; i < Template.itemCount; ++i) {
    const TemplateItem &item = Template.items[i];
    HWND control = GetDlgItem(window, static_cast<int>(item.id));
    if (control == nullptr) continue;
    PixelRect r = MapDialogUnits(item.x, item.y, item.width, item.height, base);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  if (LayoutFont != nullptr) DeleteObject(LayoutFont);
  LayoutFont = font;
  ClientWidth = MapDialogUnits(0, 0, Template.width, Template.height, base).right;
  Dpi = dpi;
  ReplaceIcon(window, ICON_BIG, ReadMetricForDpi(SM_CXICON, dpi), &BigIcon);
  ReplaceIcon(window, ICON_SMALL, ReadMetricForDpi(SM_CXSMICON, dpi), &SmallIcon);
  return true;
}

static int ReadMonitorDpi(HWND window) {
  // Windows 8.1 and later, from the system folder only (the flag is known
  // wherever shcore exists; older systems refuse it and have no shcore).
  HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, 0x00000800);  // LOAD_LIBRARY_SEARCH_SYSTEM32
  auto forMonitor = shcore != nullptr ? reinterpret_cast<GetDpiForMonitorFunction>(
                                            reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")))
                                      : nullptr;
  UINT x = 0;
  UINT y = 0;
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  if (forMonitor == nullptr || forMonitor(monitor, kEffectiveDpi, &x, &y) != S_OK) y = 0;
  if (shcore != nullptr) FreeLibrary(shcore);
  return ClampDpi(static_cast<int>(y));
}

void FollowMonitorDpiAtStart(HWND window) {
  // Created at (0, 0), on the primary monitor: only another monitor can have
  // another scale.
  POINT origin = {0, 0};
  HMONITOR primary = MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
  if (MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) != primary) {
    int dpi = ReadMonitorDpi(window);
    if (dpi != 0 && dpi != Dpi) LayOutControls(window, dpi);
  }
  PlacingAtStart = false;
}

bool ChangeWindowDpi(HWND window, WPARAM wParam, LPARAM lParam) {
  int dpi = ClampDpi(HIWORD(wParam));
  if (dpi == 0 || !LayOutControls(window, dpi)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
  const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
  if (IsIconic(window)) {
    // The frame of an icon says nothing about the restored window.
    SizePending = true;
    return false;
  }
  if (suggested != nullptr && !PlacingAtStart) {
    int width = suggested->right - suggested->left;
    int height = suggested->bottom - suggested->top;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | ((width > 0 && height > 0) ? 0 : SWP_NOSIZE);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, width, height, flags);
  }
  return true;
}

void FinishPendingDpiChange(HWND window, WPARAM sizeType) {
  if (!SizePending || sizeType != SIZE_RESTORED || IsIconic(window)) return;
  SizePending = false;
  // WM_SIZE comes while the restore is still under way, and a size set now
  // can be overwritten by the restored rectangle (Wine does so): the window
  // is fitted once the restore is over.
  PostMessageW(window, WM_DPI_FIT, 0, 0);
}

// The frame, caption and menu bar (as the view has it) around the client
// area at dpi.
static PixelRect ReadFrameInsets(HWND window, int dpi) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  BOOL menu = (State.View == 2 || State.View == 3) ? TRUE : FALSE;
  RECT r = {0, 0, 0, 0};
  auto adjust = FindFunction<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjust == nullptr || !adjust(&r, style, menu, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&r, style, menu, exStyle);
  }
  return {-r.left, -r.top, r.right, r.bottom};
}

bool ComputeDpiScaledSize(HWND window, WPARAM wParam, LPARAM lParam) {
  int dpi = ClampDpi(LOWORD(wParam));
  SIZE *size = reinterpret_cast<SIZE *>(lParam);
  if (dpi == 0 || size == nullptr) return false;
  HFONT font = MakeTemplateFont(dpi);
  if (font == nullptr) return false;
  DialogBaseUnits base = MeasureBaseUnits(font);
  DeleteObject(font);
  int referenceBottom = 0;
  if (State.View % 2 != 0) {
    const TemplateItem *equals = FindTemplateItem(IDM_EVALUATE);
    if (equals == nullptr) return false;
    referenceBottom = MapDialogUnits(equals->x, equals->y, equals->width, equals->height, base).bottom;
  } else {
    // The entry's closed height comes from the combo box itself, not from
    // the template: today's, scaled.
    const TemplateItem *entry = FindTemplateItem(IDC_ENTRY);
    RECT closed = {};
    if (entry == nullptr || !GetWindowRect(GetDlgItem(window, IDC_ENTRY), &closed)) return false;
    referenceBottom = MapDialogUnits(entry->x, entry->y, 0, 0, base).top +
                      MulDiv(closed.bottom - closed.top, dpi, Dpi);
  }
  int clientWidth = MapDialogUnits(0, 0, Template.width, Template.height, base).right;
  PixelSize scaled = ComputeViewWindowSize(clientWidth, referenceBottom, ReadFrameInsets(window, dpi), dpi);
  size->cx = scaled.width;
  size->cy = scaled.height;
  return true;
}

void EndWindowDpi(HWND window) {
  if (BigIcon != nullptr || SmallIcon != nullptr) {
    SendMessageW(window, WM_SETICON, ICON_BIG, 0);
    SendMessageW(window, WM_SETICON, ICON_SMALL, 0);
  }
  if (BigIcon != nullptr) DestroyIcon(BigIcon);
  if (SmallIcon != nullptr) DestroyIcon(SmallIcon);
  if (LayoutFont != nullptr) DeleteObject(LayoutFont);
  BigIcon = SmallIcon = nullptr;
  LayoutFont = nullptr;
  Dpi = kDesignDpi;
}
