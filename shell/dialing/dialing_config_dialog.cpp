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

bool AskText(HWND owner, int dialogId, int control, int limit, std::string* text) {
  TextRequest r{control, limit, std::string()};
  FormDialog form;
  form.fill = [](HWND box, void* data) {
    auto* q = static_cast<TextRequest*>(data);
    SendDlgItemMessageA(box, q->control, EM_LIMITTEXT, static_cast<WPARAM>(q->limit), 0);
  };
  form.accept = [](HWND box, void* data) {
    auto* q = static_cast<TextRequest*>(data);
    q->text = DialogText(box, q->control, q->limit + 1);
    return true;
  };
  form.data = &r;
  if (RunFormDialog(owner, dialogId, form) != IDOK) return false;
  *text = r.text;
  return true;
}

// ---- New Profile (132) -----------------------------------------------------

struct NewProfileRequest {
  std::string name;
  bool copy = false;
};

// The name must be valid and not taken.
bool AcceptProfileName(HWND box, void* data) {
  auto* r = static_cast<NewProfileRequest*>(data);
  r->name = DialogText(box, IDC_NEW_PROFILE_NAME, kTextMax + 1);
  r->copy = Checked(box, IDC_NEW_PROFILE_COPY);
  if (!ValidProfileName(r->name)) {
    ShowStringMessage(box, IDS_INVALID_NAME);
    return false;
  }
  for (const auto& p : cfg.profiles->List()) {
    if (p.second == r->name) {
      ShowStringMessage(box, IDS_DUPLICATE_PROFILE);
      return false;
    }
  }
  return true;
}

// ---- Credit Card Dialing (137) and Configure Credit Card (136) --------------

void FillSteps(HWND box, void* data) {
  auto* p = static_cast<DialProfile*>(data);
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
}

bool AcceptSteps(HWND box, void* data) {
  auto* p = static_cast<DialProfile*>(data);
  for (int i = 0; i < kCardStepCount; ++i) {
    p->creditDial[i] = SelectedComboData(box, IDC_STEP_FIRST + i);
    p->creditDigits[i] = DialogText(box, IDC_DIGITS_FIRST + i, kDigitsMax + 1);
  }
  for (int i = 0; i < kCardWaitCount; ++i) p->creditWait[i] = SelectedComboData(box, IDC_WAIT_FIRST + i);
  return true;
}

void ShowCard(HWND box, const DialProfile& p) {
  SetDlgItemTextA(box, IDC_CARD_NUMBER, p.creditCardPhone.c_str());
  SetDlgItemTextA(box, IDC_CARD_PIN, p.creditCardPin.c_str());
  const CardCarrier* c = FindCarrier(p.creditCardType);
  EnableWindow(GetDlgItem(box, IDC_CARD_PIN), c ? c->pin : TRUE);
}

void FillCard(HWND box, void* data) {
  auto* p = static_cast<DialProfile*>(data);
  for (const CardCarrier& c : kCardCarriers) AddComboItem(box, IDC_CARD_CARRIER, c.name, c.code);
  SelectComboData(box, IDC_CARD_CARRIER, p->creditCardType);
  SendDlgItemMessageA(box, IDC_CARD_NUMBER, EM_LIMITTEXT, kCardTextMax, 0);
  SendDlgItemMessageA(box, IDC_CARD_PIN, EM_LIMITTEXT, kCardTextMax, 0);
  ShowCard(box, *p);
}

void CardCommand(HWND box, int id, int code, void* data) {
  auto* p = static_cast<DialProfile*>(data);
  if (id == IDC_CARD_CARRIER && code == CBN_SELCHANGE) {
    // Choosing a carrier copies its number, steps, waits and digits.
    p->creditCardPin = DialogText(box, IDC_CARD_PIN, kCardTextMax + 1);
    ApplyCarrier(*p, SelectedComboData(box, IDC_CARD_CARRIER));
    ShowCard(box, *p);
  } else if (id == IDC_CARD_STEPS) {
    FormDialog steps;
    steps.fill = FillSteps;
    steps.accept = AcceptSteps;
    steps.data = p;
    RunFormDialog(box, IDD_CARD_DIALING, steps);
  }
}

bool AcceptCard(HWND box, void* data) {
  auto* p = static_cast<DialProfile*>(data);
  p->creditCardType = SelectedComboData(box, IDC_CARD_CARRIER);
  p->creditCardPhone = DialogText(box, IDC_CARD_NUMBER, kCardTextMax + 1);
  p->creditCardPin = DialogText(box, IDC_CARD_PIN, kCardTextMax + 1);
  return true;
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
  FormDialog form;
  form.fill = [](HWND b, void*) { SendDlgItemMessageA(b, IDC_NEW_PROFILE_NAME, EM_LIMITTEXT, kTextMax, 0); };
  form.accept = AcceptProfileName;
  form.data = &r;
  if (RunFormDialog(box, IDD_NEW_PROFILE, form) != IDOK) return;
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

void FillConfig(HWND box, void*) {
  for (int i = 0; i < kCommModeCount; ++i)
    if (kCommModes[i].inDialingProfile) AddComboItem(box, IDC_CFG_PORT, kCommModes[i].text, kCommModes[i].code);
  for (const DialChoice& m : kDialMethods) AddComboItem(box, IDC_CFG_METHOD, m.text, m.code);
  for (int id : {IDC_CFG_ACCESS, IDC_CFG_LONG_DISTANCE, IDC_CFG_DIAL_STRING})
    SendDlgItemMessageA(box, id, EM_LIMITTEXT, kTextMax, 0);
  SwitchTo(box, cfg.profiles->Current());
}

void SetHome(HWND box) {
  std::string area = ListText(box, IDC_CFG_AREAS);
  if (area.empty()) {
    ShowStringMessage(box, IDS_NO_AREA_CODE);
    return;
  }
  cfg.profile.homeAreaCode = area;
  ShowHome(box);
}

void ConfigureCard(HWND box) {
  Collect(box);
  FormDialog card;
  card.fill = FillCard;
  card.accept = AcceptCard;
  card.command = CardCommand;
  card.data = &cfg.profile;
  RunFormDialog(box, IDD_CREDIT_CARD, card);
}

void ConfigCommand(HWND box, int id, int code, void*) {
  switch (id) {
    case IDC_CFG_PROFILE:
      if (code == CBN_SELCHANGE) {
        Collect(box);
        cfg.profiles->Save(cfg.profile);
        SwitchTo(box, SelectedComboData(box, IDC_CFG_PROFILE));
      }
      break;
    case IDC_CFG_PORT:
      if (code == CBN_SELCHANGE) ShowPoolHost(box, SelectedComboData(box, IDC_CFG_PORT));
      break;
    case IDC_CFG_AREAS:
      if (code == LBN_SELCHANGE) ShowExchanges(box);
      break;
    case IDC_CFG_USE_CARD: EnableWindow(GetDlgItem(box, IDC_CFG_CARD), Checked(box, IDC_CFG_USE_CARD)); break;
    case IDC_CFG_NEW: NewProfile(box); break;
    case IDC_CFG_DELETE: DeleteProfile(box); break;
    case IDC_CFG_NEW_AREA: NewArea(box); break;
    case IDC_CFG_DELETE_AREA: DeleteArea(box); break;
    case IDC_CFG_NEW_EXCHANGE: NewExchange(box); break;
    case IDC_CFG_DELETE_EXCHANGE: DeleteExchange(box); break;
    case IDC_CFG_SET_HOME: SetHome(box); break;
    case IDC_CFG_CARD: ConfigureCard(box); break;
    case IDC_CFG_TEST: TestNumber(box); break;
    case IDC_CFG_DIRECTORY: RunDirectoryDialog(box); break;
    case IDC_CFG_HELP: ShowHelpContext(kDialingHelpContext); break;
    default: break;
  }
}

bool AcceptConfig(HWND box, void*) {
  if (!ProfileChosen(box)) return false;
  Collect(box);
  cfg.profiles->Save(cfg.profile);
  cfg.profiles->SetCurrent(cfg.profile.number);
  return true;
}

}  // namespace

void RunDialingConfiguration(HWND owner) {
  ProfileStore profiles(Config.variantIni);
  profiles.EnsureDefault();
  cfg.profiles = &profiles;
  FormDialog form;
  form.fill = FillConfig;
  form.accept = AcceptConfig;
  form.command = ConfigCommand;
  RunFormDialog(owner, IDD_DIALING_CONFIG, form);
  cfg.profiles = nullptr;
}
