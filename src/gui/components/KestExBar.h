#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QScrollArea>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QPropertyAnimation;
class QVBoxLayout;

// One entry of a task bar group.
struct TKestExEntry {
    enum Kind { Task, Number, Heading };

    Kind kind = Task;
    QString caption;
    QString hint;          // the tool tip of a task item or a number
    int imageIndex = -1;   // task items: the icon to draw, -1 for none
    int id = 0;            // task items: what a click reports
    bool endsLine = false; // numbers: the next number starts a new line

    bool operator==(const TKestExEntry&) const = default;
};

// The entries of one group, laid out and drawn: task items as links, numbers as rows of balls,
// heading lines in the button-text colour. Its height follows its width.
class TKestExEntries : public QWidget {
    Q_OBJECT

public:
    explicit TKestExEntries(QWidget* parent = nullptr);

    void add(const TKestExEntry& entry);
    void clear();
    const QList<TKestExEntry>& entries() const { return m_entries; }
    // The icons the task items' image indexes refer to.
    void setIcons(const QList<QIcon>& icons);
    // Where entry `index` is drawn: for a task item, the part that reacts to the mouse.
    QRect entryRect(int index) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void taskClicked(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The rectangles of every entry at this width; `height` receives the total height.
    QList<QRect> layoutFor(int width, int* height = nullptr) const;
    int taskAt(const QPoint& pos) const;
    int entryAt(const QPoint& pos) const;
    QIcon iconFor(const TKestExEntry& entry) const;
    void setHovered(int index);

    QList<TKestExEntry> m_entries;
    QList<QIcon> m_icons;
    int m_hovered = -1;
    int m_pressed = -1;
};

// One collapsible group of the task bar: a header that toggles the group when clicked and the
// group's entries, which slide open and shut.
class TKestExGroup : public QWidget {
    Q_OBJECT

public:
    TKestExGroup(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setHeaderPicture(const QPixmap& picture);
    QPixmap headerPicture() const { return m_picture; }

    QAbstractButton* header() const { return m_header; }
    TKestExEntries* entries() const { return m_entries; }

    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed, bool animated);
    void setAnimationDuration(int ms) { m_animationMs = ms; }

private:
    QString m_caption;
    QPixmap m_picture;
    QAbstractButton* m_header = nullptr;
    TKestExEntries* m_entries = nullptr;
    QPropertyAnimation* m_slide = nullptr;
    bool m_collapsed = false;
    int m_animationMs = 200;
};

// The side task bar: a fixed-width, vertically scrolling column of collapsible groups. A click
// on a task item raises OnMenuItemClick with the item's Id. Callers that build it in several
// steps suspend its painting with setUpdatesEnabled(false) meanwhile.
class TKestExBar : public QScrollArea {
    Q_OBJECT

public:
    explicit TKestExBar(QWidget* parent = nullptr);

    // Adds a group at the bottom and returns its index. Its object name is "grp" followed by
    // the caption's words, each capitalised ("grpHotAndCold").
    int addGroup(const QString& caption);
    void setHeaderPicture(int group, const QPixmap& picture);

    void addTaskItem(int group, const QString& caption, const QString& hint, int id,
                     int imageIndex = -1);
    void addNumber(int group, const QString& text, bool endsLine, const QString& hint = {});
    void addHeading(int group, const QString& text);
    // Removes a group's entries; the group stays expanded or collapsed as it was.
    void clearEntries(int group);

    void setCollapsed(int group, bool collapsed, bool animated);
    bool isCollapsed(int group) const;
    // The icons of the task items, by image index; an index outside the list draws none.
    void setItemIcons(const QList<QIcon>& icons);
    // How long a group takes to slide open or shut, in milliseconds.
    void setAnimationDuration(int ms);

    int groupCount() const { return int(m_groups.size()); }
    TKestExGroup* group(int index) const { return m_groups.at(index); }
    QList<TKestExEntry> entries(int group) const;

signals:
    void OnMenuItemClick(QObject* sender, int id);

private:
    QVBoxLayout* m_column = nullptr;
    QList<TKestExGroup*> m_groups;
    QList<QIcon> m_itemIcons;
    int m_animationMs = 200;
};
