// The info window: its fixed texts and fonts, the logo decoded from the
// JPEG resource into a bitmap, the white background, the links.
#include "ui/info_window.h"

#include "app/jpeg_image.h"
#include "lang/texts.h"
#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kInfoClass[] = "TINFO";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr int kNameFontHeight = 13;  // Label1: Arial, 13 pixels, bold

// The decoded picture as a bitmap for a static control; 0 when the data
// is no sound JPEG picture.
HBITMAP LogoBitmap(const std::string& jpeg) {
  RgbImage image;
  if (!DecodeJpeg(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size(), image)) return nullptr;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = image.width;
  bi.bmiHeader.biHeight = -image.height;  // rows top to bottom, as decoded
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  // DIB rows are BGR and padded to four bytes.
  size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
  auto* out = static_cast<uint8_t*>(bits);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* src = &image.pixels[static_cast<size_t>(y) * image.width * 3];
    uint8_t* dst = out + y * stride;
    for (int x = 0; x < image.width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  GdiFlush();
  return bitmap;
}

}  // namespace

std::string LogoResource() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_LOGO), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return "";
  return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

InfoWindow::InfoWindow(AppState& app, HWND mainWindow, std::string logoJpeg)
    : main_(mainWindow), logoJpeg_(std::move(logoJpeg)), info_(app, *this) {}

InfoWindow::~InfoWindow() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool InfoWindow::Create() {
  if (!CreateFromTemplate(kInfoClass, IDD_INFO, main_, nullptr)) return false;
  PlaceSecondary(hwnd(), main_, kInfoClientWidth, kInfoClientHeight);

  SetWindowTextA(hwnd(), kInfoCaption);
  SetText(IDC_INFO_LABEL1, kInfoLabel1);
  SetText(IDC_INFO_LABEL2, kInfoLabel2);
  SetText(IDC_INFO_LABEL3, kInfoLabel3);
  SetText(IDC_INFO_LABEL5, kInfoLabel5);
  SetText(IDC_INFO_LABEL8, kInfoLabel8);
  SetText(IDC_INFO_LABEL6, kInfoLabel6);
  SetText(IDC_INFO_BUTTON1, kInfoButton1);

  nameFont_ = Font(CreateFontA(-kNameFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, "Arial"));
  SendDlgItemMessageA(hwnd(), IDC_INFO_LABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_.get()), FALSE);
  LOGFONTA link = {};
  auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
  if (dialogFont && GetObjectA(dialogFont, sizeof link, &link)) {
    link.lfUnderline = TRUE;
    linkFont_ = Font(CreateFontIndirectA(&link));
    for (int id : {IDC_INFO_LABEL5, IDC_INFO_LABEL6})
      SendDlgItemMessageA(hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
  }

  // A logo that does not decode leaves Image1 empty; the window shows
  // without it.
  logo_ = GdiObject<HBITMAP>(LogoBitmap(logoJpeg_));
  if (logo_.get())
    SendDlgItemMessageA(hwnd(), IDC_INFO_IMAGE1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));
  return true;
}

void InfoWindow::Show() {
  info_.FormShow();
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
}

void InfoWindow::ShowModal() {
  Show();
  RunModal(hwnd(), main_, closed_);
}

void InfoWindow::ShowTexts(const InfoTexts& t) {
  SetText(IDC_INFO_LABEL4, t.Label4);
  SetText(IDC_INFO_LABEL9, t.Label9);
  SetText(IDC_INFO_LABEL7, t.Label7);
}

void InfoWindow::Close() {
  if (closed_) return;
  closed_ = true;
  HideSecondary(hwnd(), main_);
}

bool InfoWindow::IsLink(HWND control) const {
  return control && (control == GetDlgItem(hwnd(), IDC_INFO_LABEL5) || control == GetDlgItem(hwnd(), IDC_INFO_LABEL6));
}

LRESULT InfoWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wp), code = HIWORD(wp);
      if ((id == IDC_INFO_BUTTON1 && code == BN_CLICKED) || id == IDCANCEL) info_.Button1Click();
      else if (id == IDC_INFO_LABEL5 && code == STN_CLICKED) info_.Label5Click();
      else if (id == IDC_INFO_LABEL6 && code == STN_CLICKED) info_.Label6Click();
      return 0;
    }
    case WM_CLOSE:
      info_.Button1Click();
      return 0;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, kWhite);
      if (IsLink(reinterpret_cast<HWND>(lp))) SetTextColor(dc, kLinkColour);
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_SETCURSOR:
      if (IsLink(reinterpret_cast<HWND>(wp))) {
        // Windows 95 and NT 4 have no hand cursor: the arrow stays there.
        if (HCURSOR hand = LoadCursor(nullptr, IDC_HAND)) {
          SetCursor(hand);
          return TRUE;
        }
      }
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
