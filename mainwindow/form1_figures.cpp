// The figure a question names, shown in the study window's right-hand pane over the
// product pictures, and opened large on a click or the key F.
#include "figures/figure_view.h"
#include "figures/figure_window.h"
#include "mainwindow/form1.h"
#include "questions/pool.h"

namespace mainwindow {

QString Form1::poolsFolder() const
{
    // Pools are read by bare name from the start directory.
    return m_engine->state().startDir;
}

QRect Form1::productPaneRect() const
{
    QRect pane;
    for (std::size_t i = 0; i < m_ui.products.size(); ++i)
        pane = pane.united(m_ui.products[i]->widget()->geometry())
                   .united(m_ui.productNames[i]->widget()->geometry());
    return pane;
}

void Form1::showFigure(const QString &figure)
{
    const bool show = !figure.isEmpty();
    if (show) {
        m_figureView->showFigure(figure, questions::figurePath(poolsFolder(), figure));
        // Placed at each showing: the pictures' boxes are where the load's scaling left them.
        m_figureView->setGeometry(productPaneRect());
    } else {
        m_figureView->clear();
    }
    // An open figure window follows the question, and goes when it has no figure.
    if (m_figureWindow && m_figureWindow->isVisible()) {
        if (!show || !m_figureView->figure().ok())
            m_figureWindow->hide();
        else if (m_figureWindow->figure().figure != figure)
            m_figureWindow->showFigure(m_figureView->figure());
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

void Form1::openFigureWindow()
{
    if (!m_figureView->isVisibleTo(this) || !m_figureView->figure().ok())
        return;
    if (!m_figureWindow) {
        m_figureWindow = new figures::FigureWindow(this);
        // The study keys work from the figure window; F, which opened it, does nothing there.
        m_figureWindow->setKeyHandler([this](int key) {
            if (key == Qt::Key_F)
                return false;
            int code = key;
            m_engine->KeyDown(code);
            return code == 0;
        });
    }
    m_figureWindow->showFigure(m_figureView->figure());
}

} // namespace mainwindow
