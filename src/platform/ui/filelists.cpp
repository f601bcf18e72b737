#include "platform/ui/filelists.h"

#include <fnmatch.h>

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ui/form.h"
#include "platform/ui/list_widget.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRoot = "/";

// Absolute and without "." or ".." steps or a trailing separator; links are kept as named.
std::string Normalised(const std::string& path) {
    std::error_code ec;
    fs::path full = fs::absolute(fs::path(path), ec);
    if (ec) full = fs::path(path);
    full = full.lexically_normal();
    if (!full.has_filename() && full != full.root_path()) full = full.parent_path();
    return full.string();
}

bool SortsBefore(const std::string& a, const std::string& b) {
    const std::string ua = detail::UpperAscii(a), ub = detail::UpperAscii(b);
    return ua != ub ? ua < ub : a < b;
}

// The visible entries of a folder that `wanted` accepts, sorted by name. An unreadable folder
// gives none; entries are judged by their status alone, never opened.
template <class Wanted>
std::vector<std::string> FolderEntries(const std::string& folder, Wanted wanted) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        if (wanted(*it, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), SortsBefore);
    return names;
}

bool IsFolder(const fs::directory_entry& entry) {
    std::error_code ec;
    return entry.is_directory(ec);
}

std::vector<std::string> SplitPatterns(const std::string& pattern) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string part = pattern.substr(start, end - start);
        part.erase(0, part.find_first_not_of(' '));
        part.erase(part.find_last_not_of(' ') + 1);
        // "*.*" meant every file on the classic system, names without a dot too.
        if (part == "*.*") part = "*";
        if (!part.empty()) parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty()) parts.emplace_back("*");
    return parts;
}

// Indents each folder by its depth, as the classic folder list drew its tree.
class DepthDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + index.data(Qt::UserRole).toInt() * kIndent);
        QStyledItemDelegate::paint(painter, indented, index);
    }

  private:
    static constexpr int kIndent = 10;
};

}  // namespace

// --- DriveListBox -----------------------------------------------------------------------

DriveListBox::DriveListBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QComboBox(home(form))) {
    QComboBox* w = box();
    w->addItem(QStringLiteral("/"));
    w->setCurrentIndex(0);
    QObject::connect(w, &QComboBox::currentIndexChanged, w, [this](int) {
        repaint();
        change_();
    });
}

QComboBox* DriveListBox::box() const { return static_cast<QComboBox*>(widget()); }

std::string DriveListBox::Drive() const { return FromQt(box()->currentText()); }

DriveListBox& DriveListBox::setDrive(const std::string& drive) {
    const int index = box()->findText(ToQt(drive), Qt::MatchFixedString);
    if (index < 0) return *this;
    assignVia(
        box()->currentIndex(), index,
        [&] {
            const QSignalBlocker block(box());
            box()->setCurrentIndex(index);
        },
        change_);
    return *this;
}

// --- DirListBox -------------------------------------------------------------------------

DirListBox::DirListBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new detail::ListWidget(home(form))) {
    detail::ListWidget* w = list();
    w->setItemDelegate(new DepthDelegate(w));
    w->chosen = [this](int) {
        repaint();
        click_();
    };
    w->doubleClicked = [this](int row) { setPath(List(row - openRow() - 1)); };
    std::error_code ec;
    const fs::path working = fs::current_path(ec);
    path_ = Normalised(ec ? kRoot : working.string());
    fill();
}

detail::ListWidget* DirListBox::list() const { return static_cast<detail::ListWidget*>(widget()); }

void DirListBox::fill() {
    parents_.clear();
    const fs::path open(path_);
    for (fs::path p = open; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        if (p != open) parents_.insert(parents_.begin(), p.string());
    }
    if (path_ != kRoot) parents_.insert(parents_.begin(), kRoot);
    children_ = FolderEntries(
        path_, [](const fs::directory_entry& e, const std::string&) { return IsFolder(e); });

    detail::ListWidget* w = list();
    const QSignalBlocker block(w);
    w->clear();
    const QIcon openIcon = w->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = w->style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [&](const std::string& text, const QIcon& icon, int depth) {
        auto* item = new QListWidgetItem(icon, ToQt(text), w);
        item->setData(Qt::UserRole, depth);
    };
    for (std::size_t i = 0; i < parents_.size(); ++i) {
        const fs::path p(parents_[i]);
        add(i == 0 ? parents_[i] : p.filename().string(), openIcon, static_cast<int>(i));
    }
    add(path_ == kRoot ? path_ : open.filename().string(), openIcon, openRow());
    for (const std::string& child : children_) add(child, closedIcon, openRow() + 1);
    w->choose(openRow());
    repaint();
}

DirListBox& DirListBox::setPath(const std::string& path) {
    const std::string wanted = Normalised(path);
    std::error_code ec;
    if (!fs::is_directory(wanted, ec)) return *this;
    assignVia(
        path_, wanted,
        [&] {
            path_ = wanted;
            fill();
        },
        change_);
    return *this;
}

int DirListBox::ListCount() const { return static_cast<int>(children_.size()); }

std::string DirListBox::List(int index) const {
    const int row = index + openRow() + 1;
    if (row < 0 || index >= ListCount()) return {};
    if (row < openRow()) return parents_[static_cast<std::size_t>(row)];
    if (row == openRow()) return path_;
    return (fs::path(path_) / children_[static_cast<std::size_t>(index)]).string();
}

int DirListBox::ListIndex() const {
    const int row = list()->currentRow();
    return row < 0 ? -1 : row - openRow() - 1;
}

DirListBox& DirListBox::setListIndex(int index) {
    if (index + openRow() + 1 < 0 || index >= ListCount()) return *this;
    assignVia(
        ListIndex(), index, [&] { list()->choose(index + openRow() + 1); }, click_);
    return *this;
}

// --- FileListBox ------------------------------------------------------------------------

FileListBox::FileListBox(ControlKey, Form& form, std::string name)
    : ListControl(form, std::move(name)) {
    std::error_code ec;
    const fs::path working = fs::current_path(ec);
    path_ = Normalised(ec ? kRoot : working.string());
    Refresh();
}

FileListBox& FileListBox::setPath(const std::string& path) {
    if (assign(path_, Normalised(path))) Refresh();
    return *this;
}

FileListBox& FileListBox::setPattern(const std::string& pattern) {
    if (assign(pattern_, pattern)) Refresh();
    return *this;
}

FileListBox& FileListBox::setFileName(const std::string& name) {
    assignVia(fileName_, name, [&] {
        fileName_ = name;
        int row = -1;
        for (int i = 0; i < ListCount() && !name.empty(); ++i) {
            if (List(i) == name) row = i;
        }
        list()->choose(row);
    });
    return *this;
}

void FileListBox::Refresh() {
    const std::vector<std::string> patterns = SplitPatterns(pattern_);
    const auto matches = [&](const fs::directory_entry& entry, const std::string& name) {
        std::error_code ec;
        if (!entry.is_regular_file(ec)) return false;
        return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
            return fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
        });
    };
    replaceItems(FolderEntries(path_, matches), fileName_);
}

void FileListBox::itemChosen(int index) { fileName_ = index >= 0 ? List(index) : std::string(); }

}  // namespace qor::ui
