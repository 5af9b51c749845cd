// The business documents of the main window. The text belongs to the fictional Quazelle
// programme of Tavrick Enterprise; figures are illustrations of the plan, not promises.
#include "Pitchwell/Documents.h"

namespace pitchwell {

const std::string& BasicPlanDocument()
{
    static const std::string html = R"(
<h2 align="center">4 Ways to make Supplemental Income</h2>
<h3 align="center">thru QZ Sales &amp; Sponsoring.</h3>
<p>As an Independent Business Owner (IBO) you introduce Quazelle to the engineers, scientists,
students and companies you know. Tavrick Enterprise ships the product, collects the payment and
supports the customer; you are paid for the introductions you make and for the IBOs you sponsor.
There are four ways the plan pays you.</p>

<h4>1. Retail commission on your own sales</h4>
<p>Every Quazelle licence sold with your IBO number on the order pays you <b>25%</b> of the net
price. A single-user licence at US$395 earns you US$98.75; an annual maintenance renewal of a
customer you brought in earns you 10% for as long as the customer renews.</p>

<h4>2. Sponsoring bonus</h4>
<p>Each new IBO who names you as sponsor on the registration form earns you a one-time bonus of
US$10 once the new IBO's first sale is shipped. The registration fee itself is never paid out as a
bonus: it covers the starter kit, the example disk and the yearly renewal of the IBO number.</p>

<h4>3. Group volume override</h4>
<p>You receive an override on the sales of the IBOs you sponsored (your first level) and of the
IBOs they sponsored (your second level):</p>
<table border="1" cellpadding="4" cellspacing="0">
<tr><th>Level</th><th>Override on net sales</th><th>Qualifies when your own sales in the quarter are</th></tr>
<tr><td>First level</td><td>5%</td><td>at least one licence</td></tr>
<tr><td>Second level</td><td>3%</td><td>at least two licences</td></tr>
</table>
<p>Overrides stop at the second level. The plan has no deeper levels, so no one earns from people
they will never meet or support.</p>

<h4>4. Site and campus licences</h4>
<p>A company, laboratory or university department that buys a site licence after your
introduction pays you a finder's fee of <b>8%</b> of the first year's licence, paid in four
quarterly parts as long as the licence stays in force.</p>

<h4>How and when you are paid</h4>
<ul>
<li>Commissions and overrides are computed at the end of each calendar quarter and mailed within
30 days, with a statement of every order credited to you.</li>
<li>Amounts under US$25 are carried over to the next quarter.</li>
<li>Returned or refunded licences are deducted from the quarter in which the refund is made.</li>
</ul>

<h4>An example quarter</h4>
<p>Ann sells three single-user licences (3 x US$98.75 = US$296.25), sponsors two new IBOs who each
make a first sale (2 x US$10 = US$20), and her first level sells eight licences (5% of US$3,160 =
US$158.00). Her second level sells four licences, but Ann made three sales, so she also earns
3% of US$1,580 = US$47.40. Her statement for the quarter shows US$521.65.</p>

<p><i>Your income depends on your own effort. Most IBOs earn a modest supplement; the plan does
not promise any income, and nobody is paid for recruiting alone.</i></p>
)";
    return html;
}

const std::string& RulesDocument()
{
    static const std::string html = R"(
<h2 align="center">Independent Business Ownership (IBO)</h2>
<h3 align="center">Business Rules</h3>
<p>These rules apply to every IBO of Tavrick Enterprise. By signing the registration form you
agree to follow them; an IBO who breaks them may lose the IBO number and unpaid commissions.</p>

<h4>Registration</h4>
<ol>
<li>An IBO must be of legal age and send a signed registration form with the yearly fee of US$20.</li>
<li>The IBO number is personal. It may not be sold, rented or transferred without written consent.</li>
<li>The registration is renewed each year with the fee; an IBO who does not renew within 60 days
of the anniversary is removed, and the IBO's group passes to the sponsor.</li>
<li>One registration per household; spouses may register together as one IBO.</li>
</ol>

<h4>Selling</h4>
<ol>
<li>Sell Quazelle only at the prices in the current price list. Discounts are granted by Tavrick
Enterprise alone.</li>
<li>Orders are placed with Tavrick Enterprise. An IBO never takes payment for a licence.</li>
<li>Describe the product truthfully. Claims about what Quazelle solves must be shown with the
examples supplied or with a demonstration on the customer's own problem.</li>
<li>Every customer may return a licence within 30 days for a full refund.</li>
<li>No IBO may make income claims beyond the figures of the published plan.</li>
</ol>

<h4>Sponsoring</h4>
<ol>
<li>A sponsor trains and supports the IBOs sponsored: showing the examples, answering questions,
passing on updates.</li>
<li>Nobody may be required to buy a licence, training material or stock to become or remain an IBO.</li>
<li>An IBO may not sponsor someone already registered with another sponsor.</li>
</ol>

<h3>Code of Ethics</h3>
<ul>
<li><b>Honesty.</b> I present Quazelle, the plan and my own results as they are.</li>
<li><b>Respect.</b> I do not press anyone to buy or to join, and I accept a no.</li>
<li><b>Privacy.</b> I keep the names, problems and data of customers to myself.</li>
<li><b>Competence.</b> I recommend Quazelle only for problems it is made to solve, and I say so
when another tool fits better.</li>
<li><b>Fairness.</b> I do not speak badly of other IBOs, of competitors or of their products.</li>
<li><b>Law.</b> I keep the laws of my country on selling, taxes and export of software.</li>
</ul>
<p>Questions about these rules go to the IBO Registration Dept. of Tavrick Enterprise.</p>
)";
    return html;
}

const std::string& HistoryDocument()
{
    static const std::string html = R"(
<h2 align="center">History</h2>
<p>Quazelle began as a set of evening notes. Its author, a control engineer who spent his days
tuning filters and fitting models to test data, was tired of translating each new equation into
a page of loops before the computer could answer a simple question. He wanted to write the
equations the way they stood on the blackboard and let the machine do the rest.</p>

<h4>The first compiler</h4>
<p>The first version read a small language of unknowns, equations and bounds and produced a
program that solved them with Newton's method. It solved systems of algebraic equations and
little else, but it solved them in minutes instead of days. Colleagues asked for copies, and
Tavrick Enterprise was formed to answer them.</p>

<h4>Differential equations</h4>
<p>The second generation added initial value problems. Users wrote their ordinary differential
equations in the same notation, chose one of several integrators and received tables and plot
files. Boundary value problems followed through shooting and collocation, and with them the
first of the worked examples now in the catalogue.</p>

<h4>Inverse problems and fitting</h4>
<p>Engineers rarely know their parameters; they know their measurements. The third generation
turned Quazelle around: given data, find the constants of the model. Least-squares fitting,
constrained optimisation and the statistics of the fitted parameters grew out of this work, and
so did the solver tools that use Quazelle underneath: Tunewave and Tunepulse for matching
filters in frequency and in time, Derivex for ODE calculations, Dosivo for two-compartment rate
equations and Fitmora for curve fitting.</p>

<h4>The plot viewer</h4>
<p>Every tool wrote its answers as plot files, and the plot viewer was written to show them the
same way: a run summary, the source and the output listing, and a fixed sequence of plots that
an engineer can step through, print and save.</p>

<h4>Today</h4>
<p>Quazelle now offers eighteen solvers, from Newton and Levenberg-Marquardt to stiff
integrators and partial differential equations. The 66 examples on the "Example Problems" page
show what each kind of problem looks like in Quazelle and what its answer looks like. The
Independent Business Ownership programme was started so that the people who know these problems
best, the engineers and scientists who meet them every day, can share the tool and be rewarded
for it.</p>
)";
    return html;
}

const std::string& ProsAndConsDocument()
{
    static const std::string html = R"(
<h2 align="center">Pros &amp; Cons</h2>
<p>Quazelle is not the right tool for every problem, and an honest IBO says so. Here is what
users tell us after their first year.</p>

<h3>Pros</h3>
<ul>
<li><b>Equations as you write them.</b> Models are written in a notation close to the textbook,
so a model can be checked by reading it.</li>
<li><b>Many problem kinds, one language.</b> Algebraic systems, initial and boundary value
problems, inverse problems and statistics share the same source format.</li>
<li><b>Eighteen solvers.</b> Changing the method is one line; comparing two methods on the same
problem takes minutes.</li>
<li><b>Answers you can keep.</b> Every run leaves its source, its output listing and its plot
files together, so results can be reviewed and reproduced.</li>
<li><b>Worked examples.</b> 66 examples with answers are a quick start for most problem kinds.</li>
<li><b>Plain files.</b> Sources and listings are text; they open in any editor and fit any
version control.</li>
</ul>

<h3>Cons</h3>
<ul>
<li><b>A language to learn.</b> The notation is simple, but it is one more language; expect a
few days before it feels natural.</li>
<li><b>Not a spreadsheet.</b> Users who want to click through their data interactively will
prefer a general data tool for exploration, and use Quazelle for the model.</li>
<li><b>Large problems need care.</b> Very large systems and fine grids for partial differential
equations need memory and a good initial guess.</li>
<li><b>Desktop only.</b> Quazelle runs on the user's own computer; there is no shared server
edition yet.</li>
<li><b>Plots are fixed.</b> The plot viewer shows a fixed sequence of plots; for publication
graphics the data files have to be taken to another program.</li>
</ul>

<p>Weigh both lists against the problems of the people you talk to. A customer who bought the
right tool comes back; a customer who bought the wrong one asks for a refund.</p>
)";
    return html;
}

}  // namespace pitchwell
