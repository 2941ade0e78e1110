// Dialing Configuration (131) with New Profile (132), New area code (133),
// New exchange (134), Configure Credit Card (136) and Credit Card Dialing
// (137): the profiles of corvane.ini and their area codes and exchanges.
#include <cstdio>
#include <string>
#include <vector>

#include "comm_modes.h"
#include "dial_profile.h"
#include "dial_string.h"
#include "dialing_shell.h"
#include "dialog_controls.h"
#include "main_window.h"
#include "message_box.h"
#include "resource_ids.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {

constexpr int kDialingHelpContext = 6;
constexpr int kTextMax = 79;
constexpr int kCardTextMax = 29;
constexpr int kDigitsMax = 19;

struct ConfigDialogState {
  ProfileStore* profiles = nullptr;
  DialProfile profile;  // the one shown
};

ConfigDialogState cfg;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

std::string ListText(HWND box, int id) {
  HWND list = GetDlgItem(box, id);
  LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR) return std::string();
  char text[64] = "";
  if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0) >= static_cast<LRESULT>(sizeof text))
    return std::string();
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
  return text;
}

void FillList(HWND box, int id, const std::vector<std::string>& items, const std::string& select) {
  HWND list = GetDlgItem(box, id);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& s : items) {
    LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (s == select) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
}

// ---- One text, for the small dialogs 133 and 134 ---------------------------

struct TextRequest {
  int control;
  int limit;
  std::string text;
};

INT_PTR CALLBACK TextProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* r = reinterpret_cast<TextRequest*>(GetWindowLongPtrA(box, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      r = reinterpret_cast<TextRequest*>(lParam);
      SendDlgItemMessageA(box, r->control, EM_LIMITTEXT, static_cast<WPARAM>(r->limit), 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        r->text = DialogText(box, r->control, r->limit + 1);
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

bool AskText(HWND owner, int dialogId, int control, int limit, std::string* text) {
  TextRequest r{control, limit, std::string()};
  if (DialogBoxParamA(Instance(), MAKEINTRESOURCEA(dialogId), owner, TextProc, reinterpret_cast<LPARAM>(&r)) != IDOK)
    return false;
  *text = r.text;
  return true;
}

// ---- New Profile (132) -----------------------------------------------------

struct NewProfileRequest {
  std::string name;
  bool copy = false;
};

INT_PTR CALLBACK NewProfileProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      SendDlgItemMessageA(box, IDC_NEW_PROFILE_NAME, EM_LIMITTEXT, kTextMax, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* r = reinterpret_cast<NewProfileRequest*>(GetWindowLongPtrA(box, DWLP_USER));
        r->name = DialogText(box, IDC_NEW_PROFILE_NAME, kTextMax + 1);
        r->copy = Checked(box, IDC_NEW_PROFILE_COPY);
        if (!ValidProfileName(r->name)) {
          ShowStringMessage(box, IDS_INVALID_NAME);
          return TRUE;
        }
        for (const auto& p : cfg.profiles->List()) {
          if (p.second == r->name) {
            ShowStringMessage(box, IDS_DUPLICATE_PROFILE);
            return TRUE;
          }
        }
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// ---- Credit Card Dialing (137) and Configure Credit Card (136) --------------

INT_PTR CALLBACK StepsProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* p = reinterpret_cast<DialProfile*>(GetWindowLongPtrA(box, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      p = reinterpret_cast<DialProfile*>(lParam);
      for (int i = 0; i < kCardStepCount; ++i) {
        for (const DialChoice& c : kCardSteps) AddComboItem(box, IDC_STEP_FIRST + i, c.text, c.code);
        SelectComboData(box, IDC_STEP_FIRST + i, p->creditDial[i] < 0 ? kStepDone : p->creditDial[i]);
        SendDlgItemMessageA(box, IDC_DIGITS_FIRST + i, EM_LIMITTEXT, kDigitsMax, 0);
        SetDlgItemTextA(box, IDC_DIGITS_FIRST + i, p->creditDigits[i].c_str());
      }
      for (int i = 0; i < kCardWaitCount; ++i) {
        for (const DialChoice& c : kCardWaits) AddComboItem(box, IDC_WAIT_FIRST + i, c.text, c.code);
        SelectComboData(box, IDC_WAIT_FIRST + i, p->creditWait[i] < 0 ? 0 : p->creditWait[i]);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        for (int i = 0; i < kCardStepCount; ++i) {
          p->creditDial[i] = SelectedComboData(box, IDC_STEP_FIRST + i);
          p->creditDigits[i] = DialogText(box, IDC_DIGITS_FIRST + i, kDigitsMax + 1);
        }
        for (int i = 0; i < kCardWaitCount; ++i) p->creditWait[i] = SelectedComboData(box, IDC_WAIT_FIRST + i);
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void ShowCard(HWND box, const DialProfile& p) {
  SetDlgItemTextA(box, IDC_CARD_NUMBER, p.creditCardPhone.c_str());
  SetDlgItemTextA(box, IDC_CARD_PIN, p.creditCardPin.c_str());
  const CardCarrier* c = FindCarrier(p.creditCardType);
  EnableWindow(GetDlgItem(box, IDC_CARD_PIN), c ? c->pin : TRUE);
}

INT_PTR CALLBACK CardProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* p = reinterpret_cast<DialProfile*>(GetWindowLongPtrA(box, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      p = reinterpret_cast<DialProfile*>(lParam);
      for (const CardCarrier& c : kCardCarriers) AddComboItem(box, IDC_CARD_CARRIER, c.name, c.code);
      SelectComboData(box, IDC_CARD_CARRIER, p->creditCardType);
      SendDlgItemMessageA(box, IDC_CARD_NUMBER, EM_LIMITTEXT, kCardTextMax, 0);
      SendDlgItemMessageA(box, IDC_CARD_PIN, EM_LIMITTEXT, kCardTextMax, 0);
      ShowCard(box, *p);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CARD_CARRIER:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            p->creditCardPin = DialogText(box, IDC_CARD_PIN, kCardTextMax + 1);
            ApplyCarrier(*p, SelectedComboData(box, IDC_CARD_CARRIER));
            ShowCard(box, *p);
          }
          return TRUE;
        case IDC_CARD_STEPS:
          DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_CARD_DIALING), box, StepsProc, reinterpret_cast<LPARAM>(p));
          return TRUE;
        case IDOK:
          p->creditCardType = SelectedComboData(box, IDC_CARD_CARRIER);
          p->creditCardPhone = DialogText(box, IDC_CARD_NUMBER, kCardTextMax + 1);
          p->creditCardPin = DialogText(box, IDC_CARD_PIN, kCardTextMax + 1);
          EndDialog(box, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(box, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

// ---- Dialing Configuration (131) -------------------------------------------

bool ModemPool(int mode) { return mode == 7 || mode == 8; }

void ShowPoolHost(HWND box, int mode) {
  const bool pool = ModemPool(mode);
  EnableWindow(GetDlgItem(box, IDC_CFG_HOST), pool);
  EnableWindow(GetDlgItem(box, IDC_CFG_HOST_PORT), pool);
  std::string key = std::to_string(mode);
  tavix::VariantIni& ini = Config.variantIni;
  SetDlgItemTextA(box, IDC_CFG_HOST, pool ? ini.read_string("Dial_host", key.c_str(), "", 64, false).c_str() : "");
  SetDlgItemTextA(box, IDC_CFG_HOST_PORT,
                  pool ? std::to_string(ini.read_int("Dial_port", key.c_str(), 0, false)).c_str() : "");
}

void ShowExchanges(HWND box) {
  std::string area = ListText(box, IDC_CFG_AREAS);
  FillList(box, IDC_CFG_EXCHANGES, area.empty() ? std::vector<std::string>() : cfg.profiles->Exchanges(area), "");
}

void ShowHome(HWND box) {
  std::string home = cfg.profile.homeAreaCode.empty() ? "" : "Home: " + cfg.profile.homeAreaCode;
  SetDlgItemTextA(box, IDC_CFG_HOME, home.c_str());
}

void ShowProfile(HWND box) {
  const DialProfile& p = cfg.profile;
  cfg.profiles->Select(p.number);
  SelectComboData(box, IDC_CFG_PORT, p.dialport);
  SetDlgItemTextA(box, IDC_CFG_ACCESS, p.access.c_str());
  SetDlgItemTextA(box, IDC_CFG_LONG_DISTANCE, p.longdistance.c_str());
  SetDlgItemTextA(box, IDC_CFG_DIAL_STRING, p.dialstring.c_str());
  SelectComboData(box, IDC_CFG_METHOD, p.dialMethod);
  Check(box, IDC_CFG_LOCAL, p.tollExchanges == 1);
  Check(box, IDC_CFG_TOLL, p.tollExchanges != 1);
  Check(box, IDC_CFG_USE_CARD, p.useCreditCard != 0);
  EnableWindow(GetDlgItem(box, IDC_CFG_CARD), p.useCreditCard != 0);
  std::vector<std::string> areas = cfg.profiles->AreaCodes();
  FillList(box, IDC_CFG_AREAS, areas, p.homeAreaCode);
  ShowExchanges(box);
  ShowHome(box);
  ShowPoolHost(box, p.dialport);
  SetDlgItemTextA(box, IDC_CFG_TEST_RESULT, "");
}

// The shown profile's fields back into it.
void Collect(HWND box) {
  DialProfile& p = cfg.profile;
  p.dialport = SelectedComboData(box, IDC_CFG_PORT);
  p.access = DialogText(box, IDC_CFG_ACCESS, kTextMax + 1);
  p.longdistance = DialogText(box, IDC_CFG_LONG_DISTANCE, kTextMax + 1);
  p.dialstring = DialogText(box, IDC_CFG_DIAL_STRING, kTextMax + 1);
  p.dialMethod = SelectedComboData(box, IDC_CFG_METHOD);
  p.tollExchanges = Checked(box, IDC_CFG_LOCAL) ? 1 : 0;
  p.useCreditCard = Checked(box, IDC_CFG_USE_CARD) ? 1 : 0;
  if (ModemPool(p.dialport)) {
    std::string key = std::to_string(p.dialport);
    Config.variantIni.write_string("Dial_host", key.c_str(), DialogText(box, IDC_CFG_HOST, 64).c_str(), false);
    Config.variantIni.write_string("Dial_port", key.c_str(), DialogText(box, IDC_CFG_HOST_PORT, 8).c_str(), false);
  }
}

void FillProfiles(HWND box, int select) {
  SendDlgItemMessageA(box, IDC_CFG_PROFILE, CB_RESETCONTENT, 0, 0);
  for (const auto& p : cfg.profiles->List()) AddComboItem(box, IDC_CFG_PROFILE, p.second.c_str(), p.first);
  SelectComboData(box, IDC_CFG_PROFILE, select);
}

void SwitchTo(HWND box, int number) {
  cfg.profile = cfg.profiles->Load(number);
  FillProfiles(box, number);
  ShowProfile(box);
}

// "No profile selected" guards the profile actions.
bool ProfileChosen(HWND box) {
  if (SelectedComboData(box, IDC_CFG_PROFILE) >= 0) return true;
  ShowStringMessage(box, IDS_NO_PROFILE);
  return false;
}

void NewProfile(HWND box) {
  NewProfileRequest r;
  if (DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_NEW_PROFILE), box, NewProfileProc,
                      reinterpret_cast<LPARAM>(&r)) != IDOK)
    return;
  Collect(box);
  cfg.profiles->Save(cfg.profile);
  SwitchTo(box, cfg.profiles->Create(r.name, r.copy ? cfg.profile.number : -1));
}

void DeleteProfile(HWND box) {
  if (!ProfileChosen(box)) return;
  if (cfg.profile.number == 0) {
    ShowStringMessage(box, IDS_DEFAULT_PROFILE);
    return;
  }
  cfg.profiles->Delete(cfg.profile.number);
  SwitchTo(box, 0);
}

bool Listed(const std::vector<std::string>& items, const std::string& s) {
  for (const std::string& i : items)
    if (i == s) return true;
  return false;
}

void NewArea(HWND box) {
  std::string area;
  if (!AskText(box, IDD_NEW_AREA_CODE, IDC_NEW_AREA_CODE, 3, &area)) return;
  if (!ValidAreaCode(area)) {
    ShowStringMessage(box, IDS_INVALID_AREA_CODE);
    return;
  }
  if (Listed(cfg.profiles->AreaCodes(), area)) {
    ShowStringMessage(box, IDS_DUPLICATE_AREA_CODE);
    return;
  }
  cfg.profiles->AddArea(area);
  FillList(box, IDC_CFG_AREAS, cfg.profiles->AreaCodes(), area);
  ShowExchanges(box);
}

void DeleteArea(HWND box) {
  std::string area = ListText(box, IDC_CFG_AREAS);
  if (area.empty()) {
    ShowStringMessage(box, IDS_NO_AREA_CODE);
    return;
  }
  if (cfg.profiles->AreaCodes().size() <= 1) {
    ShowStringMessage(box, IDS_ONLY_AREA_CODE);
    return;
  }
  char question[96];
  std::snprintf(question, sizeof question, "Delete areacode %s and all associated exchanges?", area.c_str());
  if (ShowMessage(box, question, kProgramTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  cfg.profiles->DeleteArea(area);
  FillList(box, IDC_CFG_AREAS, cfg.profiles->AreaCodes(), "");
  ShowExchanges(box);
}

void NewExchange(HWND box) {
  std::string area = ListText(box, IDC_CFG_AREAS);
  if (area.empty()) {
    ShowStringMessage(box, IDS_NO_AREA_CODE);
    return;
  }
  std::string exchange;
  if (!AskText(box, IDD_NEW_EXCHANGE, IDC_NEW_EXCHANGE, 3, &exchange)) return;
  if (!ValidExchange(exchange)) {
    ShowStringMessage(box, IDS_INVALID_EXCHANGE);
    return;
  }
  if (Listed(cfg.profiles->Exchanges(area), exchange)) {
    ShowStringMessage(box, IDS_DUPLICATE_EXCHANGE);
    return;
  }
  cfg.profiles->AddExchange(area, exchange);
  FillList(box, IDC_CFG_EXCHANGES, cfg.profiles->Exchanges(area), exchange);
}

void DeleteExchange(HWND box) {
  std::string area = ListText(box, IDC_CFG_AREAS);
  if (area.empty()) {
    ShowStringMessage(box, IDS_NO_AREA_CODE);
    return;
  }
  std::string exchange = ListText(box, IDC_CFG_EXCHANGES);
  if (exchange.empty()) {
    ShowStringMessage(box, IDS_NO_EXCHANGE);
    return;
  }
  cfg.profiles->DeleteExchange(area, exchange);
  ShowExchanges(box);
}

void TestNumber(HWND box) {
  Collect(box);
  std::string dialled;
  std::string number = DialogText(box, IDC_CFG_TEST_NUMBER, 64);
  bool fits = BuildDialString(cfg.profile, *cfg.profiles, number, true, kTextMax + 1, &dialled);
  SetDlgItemTextA(box, IDC_CFG_TEST_RESULT, fits ? dialled.c_str() : "too long to dial");
}

INT_PTR CALLBACK ConfigProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      for (int i = 0; i < kCommModeCount; ++i)
        if (kCommModes[i].inDialingProfile) AddComboItem(box, IDC_CFG_PORT, kCommModes[i].text, kCommModes[i].code);
      for (const DialChoice& m : kDialMethods) AddComboItem(box, IDC_CFG_METHOD, m.text, m.code);
      for (int id : {IDC_CFG_ACCESS, IDC_CFG_LONG_DISTANCE, IDC_CFG_DIAL_STRING})
        SendDlgItemMessageA(box, id, EM_LIMITTEXT, kTextMax, 0);
      SwitchTo(box, cfg.profiles->Current());
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CFG_PROFILE:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            Collect(box);
            cfg.profiles->Save(cfg.profile);
            SwitchTo(box, SelectedComboData(box, IDC_CFG_PROFILE));
          }
          return TRUE;
        case IDC_CFG_PORT:
          if (HIWORD(wParam) == CBN_SELCHANGE) ShowPoolHost(box, SelectedComboData(box, IDC_CFG_PORT));
          return TRUE;
        case IDC_CFG_AREAS:
          if (HIWORD(wParam) == LBN_SELCHANGE) ShowExchanges(box);
          return TRUE;
        case IDC_CFG_USE_CARD:
          EnableWindow(GetDlgItem(box, IDC_CFG_CARD), Checked(box, IDC_CFG_USE_CARD));
          return TRUE;
        case IDC_CFG_NEW: NewProfile(box); return TRUE;
        case IDC_CFG_DELETE: DeleteProfile(box); return TRUE;
        case IDC_CFG_NEW_AREA: NewArea(box); return TRUE;
        case IDC_CFG_DELETE_AREA: DeleteArea(box); return TRUE;
        case IDC_CFG_NEW_EXCHANGE: NewExchange(box); return TRUE;
        case IDC_CFG_DELETE_EXCHANGE: DeleteExchange(box); return TRUE;
        case IDC_CFG_SET_HOME: {
          std::string area = ListText(box, IDC_CFG_AREAS);
          if (area.empty()) {
            ShowStringMessage(box, IDS_NO_AREA_CODE);
          } else {
            cfg.profile.homeAreaCode = area;
            ShowHome(box);
          }
          return TRUE;
        }
        case IDC_CFG_CARD:
          Collect(box);
          DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_CREDIT_CARD), box, CardProc,
                          reinterpret_cast<LPARAM>(&cfg.profile));
          return TRUE;
        case IDC_CFG_TEST: TestNumber(box); return TRUE;
        case IDC_CFG_DIRECTORY: RunDirectoryDialog(box); return TRUE;
        case IDC_CFG_HELP: ShowHelpContext(kDialingHelpContext); return TRUE;
        case IDOK:
          if (!ProfileChosen(box)) return TRUE;
          Collect(box);
          cfg.profiles->Save(cfg.profile);
          cfg.profiles->SetCurrent(cfg.profile.number);
          EndDialog(box, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(box, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void RunDialingConfiguration(HWND owner) {
  ProfileStore profiles(Config.variantIni);
  profiles.EnsureDefault();
  cfg.profiles = &profiles;
  DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_DIALING_CONFIG), owner, ConfigProc, 0);
  cfg.profiles = nullptr;
}
