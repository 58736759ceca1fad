#include "product/ProductLists.h"

#include "data/Recordset.h"
#include "product/ProductStore.h"

const ListEntries &ProductLists::styles() {
    if (!m_styles) {
        ListEntries styles;
        auto rs = ProductStore::StylesByName();
        for (; !rs->eof(); rs->moveNext())
            styles.append({rs->text(QStringLiteral("Name")) + QLatin1Char('-') + rs->text(QStringLiteral("Type")),
                           rs->field(QStringLiteral("ID"))});
        rs->close();
        m_styles = std::move(styles);
    }
    return *m_styles;
}

const ListEntries &ProductLists::components() {
    if (!m_components) readComponents();
    return *m_components;
}

const ListEntries &ProductLists::componentIds() {
    if (!m_components) readComponents();
    return m_componentIds;
}

// One reading serves both lists: the IDs come in the same order.
void ProductLists::readComponents() {
    ListEntries components, ids;
    auto rs = ProductStore::ComponentsById();
    for (; !rs->eof(); rs->moveNext()) {
        const QString id = rs->text(QStringLiteral("ID"));
        components.append({id + QLatin1Char('-') + rs->text(QStringLiteral("Description")), rs->field(QStringLiteral("ID"))});
        ids.append({id, QVariant()});
    }
    rs->close();
    m_components = std::move(components);
    m_componentIds = std::move(ids);
}

void ProductLists::forget() {
    m_styles.reset();
    m_components.reset();
    m_componentIds.clear();
}
