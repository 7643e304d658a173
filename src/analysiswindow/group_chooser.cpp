#include "analysiswindow/group_chooser.h"

#include <QLabel>
#include <QStandardItemModel>

#include "analysiswindow/analysis_session.h"

namespace corvane {

QString GroupItemText(const TReactionTimeGroup& group) {
  QString text = QString::fromStdString(GroupLabel(group));
  if (!group.Read)
    return text + QStringLiteral(" (not read)");
  text += QStringLiteral(" (%1").arg(group.Values.size());
  if (group.Missing > 0)
    text += QStringLiteral("; %1 missing").arg(group.Missing);
  if (group.Excluded > 0)
    text += QStringLiteral("; %1 excluded").arg(group.Excluded);
  return text + QStringLiteral(")");
}

TGroupChooser::TGroupChooser(TAnalysisSession& session, QLabel& label, QWidget* parent)
    : QComboBox(parent), session_(session), label_(label) {
  setObjectName("GroupChoice");
  setAccessibleName(QStringLiteral("Group"));
  setAccessibleDescription(
      QStringLiteral("The group of the loaded file shown in the charts and the table, with its reaction "
                     "times and missing values"));
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  setMaxVisibleItems(20);
  setPlaceholderText(QStringLiteral("(choose a group)"));
  label_.setBuddy(this);
  connect(this, &QComboBox::activated, this,
          [this](int index) { session_.ShowGroup(static_cast<std::size_t>(index)); });
  hide();
  label_.hide();
}

void TGroupChooser::Show() {
  const TReactionTimeGroups* groups = session_.LoadedGroups();
  setVisible(groups != nullptr);
  label_.setVisible(groups != nullptr);
  if (groups != listed_) {
    listed_ = groups;
    clear();
    if (groups) {
      for (const TReactionTimeGroup& group : groups->Groups) addItem(GroupItemText(group));
      // A group that was not read has nothing to show: listed, so it is not dropped silently.
      auto* items_model = qobject_cast<QStandardItemModel*>(model());
      for (std::size_t g = 0; g < groups->Groups.size(); ++g)
        if (!groups->Groups[g].Read)
          items_model->item(static_cast<int>(g))->setEnabled(false);
    }
  }
  if (groups) {
    const int current = session_.ShowsSeries() ? -1 : static_cast<int>(session_.ShownGroup());
    if (currentIndex() != current)
      setCurrentIndex(current);
  }
}

}  // namespace corvane
