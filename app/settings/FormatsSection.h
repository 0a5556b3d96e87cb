#pragma once

#include <QWidget>

class ColorPickerModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The settings' "Formats" page: every format with a check for a row in the panel, in the
// panel's order (shown ones first; Move Up and Move Down, or dragging, reorder them), the
// format copied on a pick, and the user's own templates (added with a name, or refused with
// the reason and not saved; removed with Remove). Each change goes to the model at once; the
// section redraws from the model.
class FormatsSection : public QWidget
{
    Q_OBJECT

public:
    explicit FormatsSection(ColorPickerModel& picker, QWidget* parent = nullptr);

    // The page's name: "Formats".
    static QString title();

    QListWidget& formatList() const { return *m_list; }
    QComboBox& copiedChoice() const { return *m_copied; }
    QPushButton& moveUpButton() const { return *m_up; }
    QPushButton& moveDownButton() const { return *m_down; }
    QPushButton& removeButton() const { return *m_remove; }
    QLineEdit& templateName() const { return *m_name; }
    QLineEdit& templateText() const { return *m_template; }
    QPushButton& addButton() const { return *m_add; }
    // Why the last template was refused; empty after one was added.
    QLabel& templateProblem() const { return *m_problem; }

private:
    void refresh();
    void storeShown();
    void moveSelected(int by);
    void addTemplate();
    void updateButtons();

    ColorPickerModel& m_picker;
    QListWidget* m_list;
    QComboBox* m_copied;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_remove;
    QLineEdit* m_name;
    QLineEdit* m_template;
    QPushButton* m_add;
    QLabel* m_problem;
    bool m_refreshing = false;
};
