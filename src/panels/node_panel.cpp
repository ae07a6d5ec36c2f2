#include "panels/node_panel.h"

#include <QTreeWidget>

#include "document/document.h"

namespace sp {

NodePanel::NodePanel(Document& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_tree(new QTreeWidget(this)) {}

}  // namespace sp
