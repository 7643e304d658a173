// The group chooser of a long file: a combo box listing the loaded file's groups with their counts,
// "p01, congruent (178; 2 missing)", the groups that could not be read listed but not choosable.
//
//   TAnalysisSession::LoadedGroups, ShownGroup --Show--> the items (made again only for a new
//        read), the shown group current
//   the user picks an item --> TAnalysisSession::ShowGroup
#pragma once

#include <QComboBox>

class QLabel;

namespace corvane {

class TAnalysisSession;
struct TReactionTimeGroups;

class TGroupChooser : public QComboBox {
 public:
  // `label` is the chooser's caption (its buddy), shown and hidden with it.
  TGroupChooser(TAnalysisSession& session, QLabel& label, QWidget* parent = nullptr);

  void Show();

 private:
  TAnalysisSession& session_;
  QLabel& label_;
  const TReactionTimeGroups* listed_ = nullptr;
};

// An item's text: the group's keys and its counts.
QString GroupItemText(const struct TReactionTimeGroup& group);

}  // namespace corvane
