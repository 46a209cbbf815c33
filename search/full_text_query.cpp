#include "search/full_text_query.h"

static AIString g_fullTextQuery;
static FullTextQueryLink g_queryLink = {nullptr, nullptr};

void GetFullTextQuery(AIString& out)
{
    if (g_queryLink.read) g_queryLink.read(out);
    else out.Copy(g_fullTextQuery);
}

void SetFullTextQuery(const AIString& text)
{
    if (g_queryLink.write) g_queryLink.write(text);
    else g_fullTextQuery.Copy(text);
}

void SetFullTextQueryLink(const FullTextQueryLink& link) { g_queryLink = link; }
