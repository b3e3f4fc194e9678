// What the page's group shows once its table is in view, as a person reads
// it: its names, its ranking as [rank, first, second, score] and its table
// row by row. Evaluated in the page by the tests of every browser.
(async () => {
  GroupTableView.scrollIntoView();
  await new Promise(drawn => { const wait = () => GroupTable.tBodies.length ? drawn() : setTimeout(wait, 20); wait(); });
  const text = e => e.textContent.trim();
  return {
    names: [...document.querySelectorAll('#GroupNames li > span')].map(text),
    ranking: [...document.querySelectorAll('#GroupRanking button')].map(b => /^(\d+)位 (.+) と (.+) (\d+)$/.exec(text(b)).slice(1)),
    table: [...GroupTable.rows].map(row => [...row.cells].map(text)),
  };
})
