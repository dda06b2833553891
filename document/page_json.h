#pragma once

#include <string>

class CTarnDoc;

/// The page as one JSON object: the page's fields, then `graphs` in page order,
/// each with its fields and `plots` in list order. With `points`, every set
/// also lists `points` as [x, y] pairs, `dx` and `dy`, in traversal order.
/// Keys are the member names without the "m_" prefix; colours are integers.
std::string PageToJson(const CTarnDoc& doc, bool points);
