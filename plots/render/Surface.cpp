#include "plots/render/Surface.h"

#include "plots/render/LineReduction.h"
#include "plots/render/TabbedText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace plots {

namespace {

constexpr int DotsPerMeter96 = 3780;  // 96 dots per inch

Qt::PenStyle QtDash(int style)
{
    switch (style) {
    case DashDash: return Qt::DashLine;
    case DashDot: return Qt::DotLine;
    case DashDashDot: return Qt::DashDotLine;
    case DashDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

// Every dash pattern (6, 3, 9 and 12 pen widths long) repeats after 36 pen widths.
constexpr double DashPeriod = 36;

// Cuts a segment to a rectangle (Liang-Barsky); false when nothing of it is inside. Curves are
// not clipped to the axes, so a steep segment can reach far beyond the picture, where the
// paint engine would drop it whole instead of drawing the part that crosses the picture.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return false;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    int edge0 = -1, edge1 = -1;  // the edge that limited each end
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t, edge0 = i;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t, edge1 = i;
        }
    }
    // A cut end lies on its edge exactly; only the other coordinate is interpolated, since
    // start + t × delta loses every digit when the far end is astronomically far away.
    const double edges[4] = {r.left(), r.right(), r.top(), r.bottom()};
    auto cut = [&](double t, int edge) {
        QPointF point(a.x() + t * dx, a.y() + t * dy);
        if (edge < 2) point.setX(edges[edge]);
        else point.setY(edges[edge]);
        return point;
    };
    const QPointF from = edge0 >= 0 ? cut(t0, edge0) : a;
    const QPointF to = edge1 >= 0 ? cut(t1, edge1) : b;
    a = from;
    b = to;
    return true;
}

}  // namespace

Surface::Surface(int pixelWidth, int pixelHeight)
    : width_(pixelWidth < 1 ? 1 : pixelWidth), height_(pixelHeight < 1 ? 1 : pixelHeight),
      scaleW_(width_), scaleH_(height_)
{
}

Surface::~Surface() = default;

void Surface::ResizeDevice(int w, int h)
{
    width_ = w < 1 ? 1 : w;
    height_ = h < 1 ? 1 : h;
    if (pixelScale_) {
        scaleW_ = width_;
        scaleH_ = height_;
    }
}

void Surface::Clear()
{
    dash_.Valid = false;
    lineClip_.reset();
    FillPx(back_);
    curX_ = left_;
    curY_ = top_;
}

void Surface::SetPixelScale()
{
    pixelScale_ = true;
    left_ = 0;
    top_ = 0;
    scaleW_ = width_;
    scaleH_ = height_;
}

void Surface::SetUserScale(double left, double top, double width, double height)
{
    // A degenerate scale would divide by zero; keep a tiny span instead.
    if (width == 0 || !std::isfinite(width)) width = 1e-30;
    if (height == 0 || !std::isfinite(height)) height = -1e-30;
    pixelScale_ = false;
    left_ = left;
    top_ = top;
    scaleW_ = width;
    scaleH_ = height;
}

void Surface::Line(double x1, double y1, double x2, double y2, Colour c)
{
    callX1_ = x1;
    callY1_ = y1;
    callX2_ = x2;
    callY2_ = y2;
    curX_ = x2;
    curY_ = y2;
    QPointF a(ToPixelX(x1), ToPixelY(y1)), b(ToPixelX(x2), ToPixelY(y2));
    const int style = drawStyle_, width = drawWidth_;

    // The dash pattern runs on along lines that join end to start (in pattern units, which
    // are pen widths).
    double offset = 0;
    if (style != DashSolid) {
        const bool joins = dash_.Valid && style == dash_.Style && width == dash_.Width && c == dash_.Colour_ &&
                           std::fabs(a.x() - dash_.End.x()) < 0.01 && std::fabs(a.y() - dash_.End.y()) < 0.01;
        offset = joins ? dash_.Run : 0;
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        dash_ = {true, b, std::isfinite(length) ? std::fmod(offset + length / std::max(width, 1), DashPeriod) : 0, c,
                 style, width};
    }

    const QPointF from = a;
    if (!CutToPicture(a, b, width)) return;
    if (style != DashSolid && a != from) {
        const double skipped = std::hypot(a.x() - from.x(), a.y() - from.y()) / std::max(width, 1);
        offset = std::isfinite(skipped) ? std::fmod(offset + skipped, DashPeriod) : 0;
    }
    LinePx(a, b, c, style, width, style == DashSolid ? 0 : offset);
}

bool Surface::CutToPicture(QPointF& a, QPointF& b, int width) const
{
    // Curves are not clipped to their axes, so a steep segment can reach far beyond the picture;
    // every device gets the part that crosses it.
    const double margin = 2.0 * width + 2;
    const QRectF bounds = lineClip_ ? *lineClip_ : QRectF(-margin, -margin, width_ + 2 * margin, height_ + 2 * margin);
    if (bounds.contains(a) && bounds.contains(b)) return true;
    return ClipSegment(a, b, bounds);
}

void Surface::Polyline(const std::vector<QPointF>& points, Colour c)
{
    std::vector<QLineF> solid;
    if (drawStyle_ == DashSolid) solid.reserve(points.size());
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF& p = points[i - 1];
        const QPointF& q = points[i];
        if (drawStyle_ != DashSolid) {
            Line(p.x(), p.y(), q.x(), q.y(), c);
            continue;
        }
        QPointF a(ToPixelX(p.x()), ToPixelY(p.y())), b(ToPixelX(q.x()), ToPixelY(q.y()));
        if (CutToPicture(a, b, drawWidth_)) solid.emplace_back(a, b);
    }
    if (drawStyle_ != DashSolid || points.size() < 2) return;
    const QPointF& p = points[points.size() - 2];
    const QPointF& q = points.back();
    callX1_ = p.x();
    callY1_ = p.y();
    callX2_ = curX_ = q.x();
    callY2_ = curY_ = q.y();
    if (SolidLinesPx(solid, c, drawWidth_)) return;
    // The device strokes one line at a time: through Line, which tells it each call.
    for (std::size_t i = 1; i < points.size(); ++i)
        Line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), c);
}

void Surface::Print(const std::string& text)
{
    const QFont f = MakeQFont(font_);
    callX1_ = curX_;
    callY1_ = curY_;
    const QString q = QString::fromStdString(text);
    TextPx(QPointF(ToPixelX(curX_), ToPixelY(curY_)), q, f, fore_, font_.AngleDegrees);
    const double lineHeightPx = TextsOf(f)->Height();
    curX_ = left_;
    curY_ += PixelsToUnitsY(lineHeightPx);
}

double Surface::TextWidthPx(const QString& text, const QFont& f) const
{
    return TabbedTextWidth(text, *TextsOf(f));
}

double Surface::TextWidth(const std::string& text) const
{
    return std::abs(PixelsToUnitsX(TextWidthPx(QString::fromStdString(text), MakeQFont(font_))));
}

QRectF Surface::TextBoxPx(const std::string& text) const
{
    FontTexts& texts = *TextsOf(MakeQFont(font_));
    const QString q = QString::fromStdString(text);
    const QPointF at(ToPixelX(curX_), ToPixelY(curY_));
    const double width = TabbedTextEnd(q, texts, at.x(), 0) - at.x();
    // A quarter turn upward: the text runs up from its start, its height to the right.
    if (font_.AngleDegrees == 90) return QRectF(at.x(), at.y() - width, texts.Height(), width);
    return QRectF(at.x(), at.y(), width, texts.Height());
}

QRectF Surface::TextInkPx(const std::string& text, double measureToPx, bool heightsBeyond) const
{
    FontTexts& texts = *TextsOf(MakeQFont(font_));
    const QString q = QString::fromStdString(text);
    const QPointF at(ToPixelX(curX_), ToPixelY(curY_));
    if (font_.AngleDegrees == 90) {
        const QRectF ink = TabbedTextInk(q, texts, 0, 0);
        return QRectF(at.x() + ink.top(), at.y() - ink.right(), ink.height(), ink.width());
    }
    return TabbedTextInk(q, texts, at.x(), 0, measureToPx, heightsBeyond).translated(0, at.y());
}

double Surface::TextHeight(const std::string&) const
{
    return std::abs(PixelsToUnitsY(TextsOf(MakeQFont(font_))->Height()));
}

void Surface::PaintText(QPainter& p, QPointF topLeft, const QString& text, const QFont& font,
                        const QFont& paintFont, Colour c, double angleDegrees) const
{
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(paintFont);
    p.setPen(ToQColor(c));
    if (angleDegrees != 0) {
        p.translate(topLeft);
        p.rotate(-angleDegrees);  // counter-clockwise on a y-down device
        PaintTabbedText(p, QPointF(0, 0), text, font);
    } else {
        PaintTabbedText(p, topLeft, text, font);
    }
    p.restore();  // gives the line pen back as well
}

void Surface::PaintPicture(QPainter& p, const QImage& picture, const QRectF& target)
{
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture);
    p.restore();
}

QPen Surface::LinePen(Colour c, int style, double width, double dashOffset)
{
    QPen pen(ToQColor(c));
    pen.setWidthF(width);
    pen.setStyle(QtDash(style));
    pen.setCapStyle(Qt::FlatCap);
    if (dashOffset != 0) pen.setDashOffset(dashOffset);
    return pen;
}

QImage Surface::ImageAt96Dpi(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    return image;
}

void Surface::PaintTabbedText(QPainter& p, QPointF topLeft, const QString& text, const QFont& font) const
{
    // Tab stops count from the surface's left edge, as a print zone does.
    PaintTextWithTabs(p, topLeft, text, *TextsOf(font), 0);
}

std::shared_ptr<FontTexts> Surface::TextsOf(const QFont& font) const
{
    // Nearly always the font made last, for the text being printed or measured.
    const bool last = lastFont_ && lastFont_->Device == MetricsDevice() && lastFont_->Font == font;
    if (last && lastFont_->Texts) return lastFont_->Texts;
    std::shared_ptr<FontTexts> texts = texts_->For(font, MetricsDevice());
    if (last) lastFont_->Texts = texts;
    return texts;
}

void Surface::ShareTexts(const Surface& other)
{
    texts_ = other.texts_;
    if (lastFont_) lastFont_->Texts.reset();
}

QFont Surface::MakeQFont(const FontRequest& request) const
{
    if (lastFont_ && lastFont_->Request == request && lastFont_->Device == MetricsDevice()) return lastFont_->Font;
    QFont f(QString::fromStdString(request.Face));
    f.setStyleHint(QFont::SansSerif);
    f.setItalic(request.Italic);
    f.setWeight(request.Weight >= 600 ? QFont::Bold : QFont::Normal);
    if (request.CellHeightPx > 0) {
        // A cell height in pixels (ascent plus descent): find the pixel size that gives it.
        f.setPixelSize(int(std::lround(request.CellHeightPx)));
        const double cell = QFontMetricsF(f, MetricsDevice()).height();
        if (cell > 0) {
            const int px = int(std::lround(request.CellHeightPx * request.CellHeightPx / cell));
            f.setPixelSize(px < 1 ? 1 : px);
        }
    } else {
        f.setPointSizeF(request.SizePoints > 0.5 ? request.SizePoints : 0.5);
    }
    lastFont_ = MadeFont{request, MetricsDevice(), f, nullptr};
    return f;
}

void Surface::SelectFont(const FontRequest& request)
{
    savedFonts_.push_back(font_);
    font_ = request;
}

double Surface::FontCellHeightPx() const
{
    return TextsOf(MakeQFont(font_))->Height();
}

double Surface::FontInternalLeadingPx() const
{
    // The part of the cell above the letters' em square: cell height less the em height.
    const QFont f = MakeQFont(font_);
    const QFontMetricsF& fm = TextsOf(f)->Metrics();
    const double em = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * fm.fontDpi() / 72.0;
    const double leading = fm.height() - em;
    return leading > 0 ? leading : 0;
}

bool Surface::RestoreFont()
{
    if (savedFonts_.empty()) return false;
    font_ = savedFonts_.back();
    savedFonts_.pop_back();
    return true;
}

void Surface::DrawPicture(const QImage& picture, double x, double y, double w, double h)
{
    callX1_ = x;
    callY1_ = y;
    callX2_ = x + w;
    callY2_ = y + h;
    const QRectF r(QPointF(ToPixelX(x), ToPixelY(y)), QPointF(ToPixelX(x + w), ToPixelY(y + h)));
    PicturePx(picture, r.normalized());
}

void Surface::Refresh()
{
    if (OnRefresh) OnRefresh();
}

// ---- measuring device ----

MeasuringSurface::MeasuringSurface(int pixelWidth, int pixelHeight)
    : Surface(pixelWidth, pixelHeight), metrics_(ImageAt96Dpi(1, 1))
{
}

QPaintDevice* MeasuringSurface::MetricsDevice() const { return &metrics_; }

// ---- image device ----

ImageSurface::ImageSurface(int pixelWidth, int pixelHeight)
    : Surface(pixelWidth, pixelHeight), image_(ImageAt96Dpi(PixelWidth(), PixelHeight()))
{
    image_.fill(ToQColor(BackColour()));
}

ImageSurface::~ImageSurface()
{
    EndPainting();
}

QPainter& ImageSurface::Painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        penSet_ = false;
        textPen_.reset();
    }
    return *painter_;
}

void ImageSurface::EndPainting() const
{
    if (!painter_) return;
    painter_->end();
    painter_.reset();
}

QImage ImageSurface::Picture() const
{
    EndPainting();
    return image_;
}

const QImage& ImageSurface::Image() const
{
    EndPainting();
    return image_;
}

void ImageSurface::Resize(int pixelWidth, int pixelHeight)
{
    EndPainting();
    ResizeDevice(pixelWidth, pixelHeight);
    image_ = ImageAt96Dpi(PixelWidth(), PixelHeight());
    image_.fill(ToQColor(BackColour()));
    spare_ = {};
}

QPaintDevice* ImageSurface::MetricsDevice() const
{
    return &image_;
}

void ImageSurface::FillPx(Colour c)
{
    EndPainting();
    // A picture handed on (an export writing it on another core) keeps its pixels; the next
    // one goes into the spare image, which is given back once nothing holds it any more,
    // instead of a copy of the picture that the fill would overwrite at once.
    if (!image_.isDetached()) {
        std::swap(image_, spare_);
        if (!image_.isDetached() || image_.size() != spare_.size()) image_ = ImageAt96Dpi(PixelWidth(), PixelHeight());
    }
    image_.fill(ToQColor(c));
}

void ImageSurface::SetPen(Colour c, int style, int width, double dashOffset)
{
    if (penSet_ && c == penColour_ && style == penStyle_ && width == penWidth_ && dashOffset == penDashOffset_) return;
    painter_->setPen(LinePen(c, style, width, dashOffset));
    penSet_ = true;
    textPen_.reset();
    penColour_ = c;
    penStyle_ = style;
    penWidth_ = width;
    penDashOffset_ = dashOffset;
}


QPainter& ImageSurface::LinePainter()
{
    QPainter& p = Painter();
    if (p.testRenderHint(QPainter::Antialiasing) != SmoothLines()) p.setRenderHint(QPainter::Antialiasing, SmoothLines());
    return p;
}

bool ImageSurface::PlainPainting(const QPainter& p) const
{
    return !SmoothLines() && p.transform().isIdentity() && !p.hasClipping() && image_.devicePixelRatio() == 1;
}

void ImageSurface::LinePx(QPointF a, QPointF b, Colour c, int style, int width, double dashOffset)
{
    QPainter& p = LinePainter();
    // A dotted grid line's dashes are filled here, pixel for pixel as the engine would stroke
    // them one by one.
    if (style != DashSolid && dashOffset == 0 && PlainPainting(p) &&
        PaintAxisDashes(image_, QLineF(a, b), width, LinePen(c, style, width, 0).dashPattern(), ToQColor(c).rgb(),
                        [&](const QLineF& last) {
                            SetPen(c, DashSolid, width, 0);
                            p.drawLine(last);
                        }))
        return;
    SetPen(c, style, width, dashOffset);
    p.drawLine(a, b);
}

bool ImageSurface::SolidLinesPx(const std::vector<QLineF>& lines, Colour c, int width)
{
    // A line one pixel wide is stroked with the ends of the lines before it in mind: those go
    // one at a time, as Line draws them.
    if (!LineReductionApplies(width) || curveLines_ == CurveLines::OneByOne) return false;
    QPainter& p = LinePainter();
    SetPen(c, DashSolid, width, 0);
    auto stroke = [&](const QLineF* from, int count) { p.drawLines(from, count); };
    // Smooth lines blend into pixels beyond those an aliased line fills: all are stroked.
    if (curveLines_ == CurveLines::LeaveOutCovered && PlainPainting(p))
        StrokeCoveredLinesOnce(lines, width, image_, ToQColor(c).rgb(), stroke);
    else if (!lines.empty())
        stroke(lines.data(), int(lines.size()));
    return true;
}

void ImageSurface::TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c,
                          double angleDegrees)
{
    QPainter& p = Painter();
    if (angleDegrees != 0) {
        PaintText(p, topLeft, text, font, font, c, angleDegrees);
        return;
    }
    // Unturned, a text's pieces are drawn from their glyphs shaped once per font, as the painter
    // draws them; the text's pen stays until a line sets its own again.
    if (!p.testRenderHint(QPainter::TextAntialiasing)) p.setRenderHint(QPainter::TextAntialiasing);
    if (textPen_ != c) p.setPen(ToQColor(c));
    textPen_ = c;
    penSet_ = false;
    const std::shared_ptr<FontTexts> texts = TextsOf(font);
    PaintTextWithTabs(p, topLeft, text, *texts, 0, [&](QPointF baseline, const QString& piece) {
        if (FontTexts::Shapes(piece) && texts->Draw(p, baseline, piece)) return;
        if (!(p.font() == font)) p.setFont(font);
        p.drawText(baseline, piece);
    });
}

void ImageSurface::PicturePx(const QImage& picture, const QRectF& target) { PaintPicture(Painter(), picture, target); }

}  // namespace plots
