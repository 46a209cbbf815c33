#include "search/full_text_query.h"

static AIString g_fullTextQuery;

void GetFullTextQuery(AIString& out)
{
    out.Copy(g_fullTextQuery);
}

void SetFullTextQuery(const AIString& text)
{
    g_fullTextQuery.Copy(text);
}
