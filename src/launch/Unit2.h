// The About form: the program's name and version, the maker's notice, web page
// and mail address, and the way to the help file.
#pragma once
#include "ui/Control.h"

class AboutForm : public BaseObject {
  public:
    Control* form = nullptr;
    // The texts, top to bottom, and the two buttons.
    Control *ProductLabel = nullptr, *NoticeLabel = nullptr, *WebLabel = nullptr,
            *MailLabel = nullptr, *VersionLabel = nullptr;
    Control *OkButton = nullptr, *HelpButton = nullptr;

  protected:
    ~AboutForm() override = default;
};

// The maker's texts.
inline constexpr const char* kMakerNotice = "(c) 2026 Quenbrook Software";
inline constexpr const char* kMakerWebPage = "www.paravue.example/";
inline constexpr const char* kMakerMail = "help@paravue.example";
inline constexpr const char* kMailLink = "mailto:help@paravue.example?subject=Para-Vue";
inline constexpr const char* kHelpFile = "paravue help.html";

// Builds a new About form, placed near the bottom-right corner, not yet shown.
// Freeing its form frees the record.
void CreateAboutForm(AboutForm*& record, Control* owner);
void OpenWebPage(void* data, BaseObject* sender);
void SendMail(void* data, BaseObject* sender);
// Opens the help file from the program's folder and closes the form.
void OpenHelp(void* data, BaseObject* sender);
