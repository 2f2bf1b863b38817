// The preferences dialog. Creating it creates the settings holder and loads
// every setting from the settings file; its controls are the working copy
// of the active profile's settings.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

#include "settings/pref_host.h"
#include "settings/prefs.h"

namespace quorvandel {

class TPrefForm : public QDialog {
  Q_OBJECT

 public:
  explicit TPrefForm(TPref_host& host, QWidget* parent = nullptr);
  ~TPrefForm() override;

  // The settings holder: the default profile's settings, the operation
  // settings and the profile list. Null once freed at shutdown.
  TPrefs* holder() const { return holder_.get(); }
  void Free_holder();

  void Select_page(int index) { PageControl->setCurrentIndex(index); }

  void Update_controls(bool is_named, int index);
  void Update_pref_data_structure(bool is_named, int index);
  void Profile_to_control();
  void Profile_to_data();
  void Update_hotkey_info();

  void SaveClick();

  QTabWidget* PageControl = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;
  QPushButton* Save = nullptr;

 private:
  void FormCreate();
  TPrefs& Chosen(bool is_named, int index) const;
  void Store_global_part();

  TPref_host& host_;
  std::unique_ptr<TPrefs> holder_;
};

}  // namespace quorvandel
