// The figure a question names, shown in the study window's right-hand pane over the
// product pictures; a click on it or the key F asks for it large.
#include "figures/figure_view.h"
#include "mainwindow/form1.h"
#include "questions/pool.h"

namespace mainwindow {

QString Form1::poolsFolder() const
{
    return m_engine ? m_engine->state().startDir : QString();
}

QRect Form1::productPaneRect() const
{
    QRect pane;
    for (std::size_t i = 0; i < m_ui.products.size(); ++i)
        pane = pane.united(m_ui.products[i]->widget()->geometry())
                   .united(m_ui.productNames[i]->widget()->geometry());
    return pane;
}

bool Form1::showsFigure() const
{
    return m_figureView && m_figureView->isVisibleTo(this) && m_figureView->figure().ok();
}

void Form1::showFigure(const QString &figure)
{
    const bool show = !figure.isEmpty();
    if (!show && !m_figureView)
        return; // the product pictures are on show as designed
    if (!m_figureView) {
        // Made at the first figure, so a start without one pays nothing for it. It lies
        // beneath the link and every button, as the product pictures do.
        m_figureView = new figures::FigureView(clientArea());
        m_figureView->setObjectName(QStringLiteral("figurePane"));
        m_figureView->setHint(QStringLiteral("Click or press F to enlarge"));
        m_figureView->stackUnder(m_ui.products[0]->widget());
        m_figureView->hide();
        connect(m_figureView, &figures::FigureView::activated, this, [this] {
            if (m_host)
                m_host->openFigureWindow();
        });
    }
    if (show) {
        m_figureView->showFigure(figure, questions::figurePath(poolsFolder(), figure));
        // Placed at each showing: the pictures' boxes are where the load's scaling left them.
        m_figureView->setGeometry(productPaneRect());
    } else {
        m_figureView->clear();
    }
    m_figureView->setVisible(show);
    for (std::size_t i = 0; i < m_ui.products.size(); ++i) {
        m_ui.products[i]->widget()->setVisible(!show);
        m_ui.productNames[i]->setVisible(!show);
    }
}

void Form1::questionShown(const questions::Question *question)
{
    showFigure(question ? question->figure() : QString());
}

} // namespace mainwindow
