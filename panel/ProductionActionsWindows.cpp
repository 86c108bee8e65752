#include "panel/ProductionActions.h"

// No record store in this build: the menu stays as it is.
ProductionActions::ProductionActions(QWidget& window, Form1Menu&, const ProductionPanel& panel)
    : m_window(window), m_panel(panel) {}

ProductionActions::~ProductionActions() = default;
