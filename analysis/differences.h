#pragma once

class CTarnDoc;
class Messages;
class Plot;
struct AddedSets;

/// Where the result of a window of three points (p, q, r) is placed, and
/// the point at which the parabola through them is differentiated.
enum class SlopePlacement {
    Centered, ///< the slope at q, placed at q
    Left,     ///< the slope at p, placed at p
    Right,    ///< the slope at r, placed at r
};

/// The methods of the Differentiation dialog's drop-down.
enum DifferenceMethod : int { kThreePoint = 0, kFivePoint = 1 };

/// Slope at `a` of the parabola through (a, ya), (b, yb), (c, yc), in the
/// Lagrange form; the three x values must differ.
double ParabolaSlope(double a, double ya, double b, double yb, double c, double yc);

/// The three-point derivative of `source`: a window of three consecutive
/// points in traversal order, moved by one point at a time; a window whose x
/// values are not pairwise different (or not numbers) yields nothing. Fills
/// `result`, a new set (filled in place: copying a set reverses its points),
/// as "Derivative of Set `sourceIndex`", traversed in the order
/// computed, without symbols, in the line colour that follows the source's
/// and the next line style (modulo 5); its positivity flags tell whether
/// every x and every value is greater than 0.
void BuildDerivative(const Plot& source, int sourceIndex, SlopePlacement placement, Plot& result);

/// The choices of the Differentiation dialog.
struct DerivativeRequest {
    int method = kThreePoint;
    SlopePlacement placement = SlopePlacement::Centered;
    int targetGraph = -1; ///< page index of the graph for the results; -1 the current graph
};

/// "OK" of the Differentiation dialog. Checks, in this order, that a set of
/// the current graph is active and selected, that the method is the three
/// point one, and that every such set has at least three points (each
/// failure shows its message and changes nothing); then appends the
/// derivative of every active and selected set, in list order, to the target
/// graph. A result that a log axis of the target cannot show brings
/// "Warning! Can't use a log axis with negative or zero values!" and makes
/// that axis linear. The target is rescaled and the document marked
/// modified. Returns whether derivatives were added; `added` tells where.
bool MakeDerivatives(CTarnDoc& doc, const DerivativeRequest& request, Messages& messages,
                     AddedSets* added = nullptr);
