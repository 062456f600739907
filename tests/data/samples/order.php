<?php
// The orders of the shop
function total($items) {
  $sum = 0;
  foreach ($items as $item) { $sum += $item['price']; }
  return $sum;
}
/* prices include tax */
$greeting = "Your order: ";
?>
<html>
<head><title>Order</title>
<link rel="stylesheet" href="shop.css">
</head>
<body>
<h2>Your order</h2>
<p>Total: <?= total($cart) ?> EUR</p>
<% echo "short tags"; $done = true; %>
<a href="index.html#top">Back</a> <a name="end"></a>
</body>
</html>
