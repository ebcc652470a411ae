#include "ui/window_ports.h"

#include "controls/memo.h"
#include "controls/spin_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

Extended TSpinEditInputs::Value(TInputField field) {
    return edit(field)->Value();
}

std::string TSpinEditInputs::Text(TInputField field) const {
    return edit(field)->RawText();
}

Extended TSpinEditInputs::MinValue(TInputField field) const {
    return edit(field)->Min();
}

Extended TSpinEditInputs::MaxValue(TInputField field) const {
    return edit(field)->Max();
}

void TMemoSummary::Clear() {
    memo_->clear();
}

void TMemoSummary::Append(const std::string& line) {
    memo_->appendPlainText(QString::fromStdString(line));
}

std::vector<std::string> TMemoSummary::DisplayedLines() const {
    // The area wraps at word boundaries within its viewport; each wrapped piece is a line of its
    // own, as the user sees it. The pieces are laid out here from the same font, width and text
    // options as the area's, so the answer does not depend on whether it has been painted.
    QTextDocument* document = memo_->document();
    const qreal width = memo_->viewport()->width() - 2 * document->documentMargin();
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(memo_->wordWrapMode());
    std::vector<std::string> lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (document->isEmpty()) {
            break;
        }
        QTextLayout layout(text, memo_->font());
        layout.setTextOption(option);
        layout.beginLayout();
        bool any = false;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.push_back(text.mid(line.textStart(), line.textLength()).toStdString());
            any = true;
        }
        layout.endLayout();
        if (!any) {
            lines.emplace_back();
        }
    }
    return lines;
}
