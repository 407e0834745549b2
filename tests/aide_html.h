// The depth of the tree the HTML parser builds from a page (UTF-8): the
// reference the page's depth check must never fall below.
#pragma once

#include <QByteArray>
#include <algorithm>
#include <gumbo.h>
#include <utility>
#include <vector>

inline int profondeur_gumbo(const QByteArray& page)
{
    GumboOutput* sortie = gumbo_parse_with_options(&kGumboDefaultOptions, page.constData(), size_t(page.size()));
    int max = 0;
    // The <html> element counts as the check counts it: the elements below
    // the document.
    std::vector<std::pair<const GumboNode*, int>> a_voir{{sortie->document, 0}};
    while (!a_voir.empty()) {
        const auto [n, p] = a_voir.back();
        a_voir.pop_back();
        const GumboVector* enfants = nullptr;
        if (n->type == GUMBO_NODE_DOCUMENT)
            enfants = &n->v.document.children;
        else if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE)
            enfants = &n->v.element.children;
        if (!enfants)
            continue;
        max = std::max(max, p);
        for (unsigned k = 0; k < enfants->length; ++k)
            a_voir.push_back({static_cast<const GumboNode*>(enfants->data[k]), p + 1});
    }
    gumbo_destroy_output(&kGumboDefaultOptions, sortie);
    return max;
}
